#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/le_file.h"
#include "persist/recovery.h"

namespace qv::ui {

class MainWindow;

// Keeps a recovery copy of the document while it has unsaved changes: a few seconds after a
// change it is written (off the drawing path) to this editor's own recovery file, which goes
// again once the document is saved and at a clean exit. A logo recovered from an earlier run
// keeps its old file until this copy is on disk or the logo is saved.
class SessionKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5000;

    explicit SessionKeeper(MainWindow& window, std::string folder = RecoveryWriter::DefaultFolder());

    // One look at the document: write it if it changed, drop the file if it was saved.
    void Tick();
    // At a clean exit: nothing is left to recover.
    void CleanExit();
    // The process is about to end unasked (Cancel on a fault report): unsaved work is written
    // now, on this thread, and is on disk when this returns. Without unsaved work, or when the
    // document cannot be serialised without a fault, the files stay as they are.
    void SaveBeforeExit();
    // The logo just recovered from `old`: that file goes once this editor's copy replaces it.
    void TakeOver(const AbandonedLogo& old);

    RecoveryWriter& writer() { return *writer_; }

private:
    MainWindow& window_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer timer_;
    LeFile last_;
    bool has_file_ = false;
    bool took_over_ = false;
};

// Asks about a logo left by an editor that did not exit cleanly: "Recover the unsaved logo from
// <date and time>?" with Recover and Discard. `prompt` answers true for Recover; by default a
// message box asks. Recovered, the logo opens unsaved with its original path and is returned:
// its file stays until the caller's SessionKeeper has taken it over and replaced it, so that a
// recovery that ends the program still finds it at the next start. Discarded (or unreadable),
// the file is removed at once.
using RecoverPrompt = std::function<bool(const QString& question)>;
std::optional<AbandonedLogo> OfferRecovery(
    MainWindow& window, const std::string& folder = RecoveryWriter::DefaultFolder(),
    RecoverPrompt prompt = {});

}  // namespace qv::ui
