#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qv::ui {

enum class SaveChoice { kSave, kDiscard, kCancel };

// Asks whether to save a changed document before it is set aside. `name` is the file name, or
// "New Logo Project" for a project never saved.
using UnsavedPrompt = std::function<SaveChoice(const QString& name)>;

// "Save changes to <name>?" with Save, Discard and Cancel.
SaveChoice AskSaveChanges(QWidget* parent, const QString& name);

}  // namespace qv::ui
