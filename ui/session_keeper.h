#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "document/le_file.h"
#include "persist/recovery.h"

namespace qv::ui {

class MainWindow;

// Keeps a recovery copy of the document while it has unsaved changes: a few seconds after a
// change it is written (off the drawing path) to this editor's own recovery file, which goes
// again once the document is saved and at a clean exit.
class SessionKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5000;

    explicit SessionKeeper(MainWindow& window, std::string folder = RecoveryWriter::DefaultFolder());

    // One look at the document: write it if it changed, drop the file if it was saved.
    void Tick();
    // At a clean exit: nothing is left to recover.
    void CleanExit();

    RecoveryWriter& writer() { return *writer_; }

private:
    MainWindow& window_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer timer_;
    LeFile last_;
    bool has_file_ = false;
};

// Asks about a logo left by an editor that did not exit cleanly: "Recover the unsaved logo from
// <date and time>?" with Recover and Discard. `prompt` answers true for Recover; by default a
// message box asks. Recovered, the logo opens unsaved with its original path. Either way the
// old recovery file is removed. True when a logo was recovered.
using RecoverPrompt = std::function<bool(const QString& question)>;
bool OfferRecovery(MainWindow& window, const std::string& folder = RecoveryWriter::DefaultFolder(),
                   RecoverPrompt prompt = {});

}  // namespace qv::ui
