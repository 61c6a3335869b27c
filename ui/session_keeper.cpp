#include "ui/session_keeper.h"

#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "persist/project_file.h"
#include "ui/document_state.h"
#include "ui/main_window.h"

namespace qv::ui {

SessionKeeper::SessionKeeper(MainWindow& window, std::string folder)
    : QObject(&window), window_(window), writer_(std::make_unique<RecoveryWriter>(std::move(folder))) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start();
}

void SessionKeeper::Tick() {
    if (!window_.modified()) {
        // Saved (or undone back to the saved state): no copy is needed, the taken-over one neither.
        if (has_file_ || took_over_) {
            writer_->Remove();
            has_file_ = false;
            took_over_ = false;
        }
        return;
    }
    if (has_file_ && SameContent(window_.lf, last_)) return;
    writer_->Save(window_.lf, window_.docName());
    last_.CopyFrom(window_.lf);
    has_file_ = true;
}

void SessionKeeper::CleanExit() {
    timer_.stop();
    writer_->Remove();
    has_file_ = false;
    took_over_ = false;
}

void SessionKeeper::SaveBeforeExit() {
    timer_.stop();
    if (!window_.modified()) return;
    if (writer_->SaveNow(window_.lf, window_.docName())) has_file_ = true;
}

void SessionKeeper::TakeOver(const AbandonedLogo& old) {
    writer_->TakeOver(old);
    took_over_ = true;
}

namespace {

bool AskWithMessageBox(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Qorvan Logo"), question);
    QPushButton* recover = box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == recover;
}

}  // namespace

std::optional<AbandonedLogo> OfferRecovery(MainWindow& window, const std::string& folder,
                                           RecoverPrompt prompt) {
    std::vector<AbandonedLogo> found = FindAbandonedLogos(folder);
    if (found.empty()) return std::nullopt;
    // The newest first. One logo can be open at a time: once one is recovered, any older ones
    // stay on disk and are offered at the next start rather than thrown away unasked.
    std::sort(found.begin(), found.end(),
              [](const AbandonedLogo& a, const AbandonedLogo& b) { return a.saved_at > b.saved_at; });
    if (!prompt) prompt = AskWithMessageBox;
    for (const AbandonedLogo& logo : found) {
        const QString when =
            QDateTime::fromSecsSinceEpoch(logo.saved_at).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        const bool recover = prompt(QStringLiteral("Recover the unsaved logo from %1?").arg(when));
        LeFile doc;
        if (recover && LoadProject(logo.project_path, doc)) {
            window.RecoverDocument(doc, logo.original_path);
            return logo;
        }
        DiscardAbandonedLogo(logo);
    }
    return std::nullopt;
}

}  // namespace qv::ui
