// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/memories_dialog.h"
#include "dialogs/message_box.h"
#include "settings/memory_shelf.h"

class QWidget;

namespace zm {

// The memories: memories/ beside config.ini, read once when the window is made, kept from a
// sweep, a file or the history, and shown, hidden, renamed, deleted and saved from their
// dialog. Every change is written at once; one the disk refused is told, and lasts this run.
class MemoriesPart {
public:
    // `changed` runs after every change, for the charts and the dialog to show the memories
    // again (refreshDialog); `save` saves one as a file the user chooses.
    MemoriesPart(QString folder, QWidget& window, MessageBoxes& messages,
                 std::function<void()> changed, std::function<void(const Memory&)> save);

    const std::vector<Memory>& memories() const { return m_shelf.memories(); }
    void keep(Memory memory);
    // Kept without a word: false, with why, when the disk refused it; the caller tells the
    // charts once it has kept all it keeps.
    bool add(Memory memory, std::string& whyNot) { return m_shelf.add(std::move(memory), whyNot); }
    // The dialog's list as the memories are now.
    void refreshDialog();
    // The dialog, made when first opened.
    void openDialog();
    MemoriesDialog* dialog() const { return m_dialog; }
    // Once, at the first start-up: the files stay where they are for the user to mend or
    // remove.
    void reportDamage();

private:
    void change(std::size_t index, bool shown, const std::string& name);
    void remove(std::size_t index);

    QWidget& m_window;
    MessageBoxes& m_messages;
    std::function<void()> m_changed;
    std::function<void(const Memory&)> m_save;
    MemoryShelf m_shelf;
    std::vector<std::string> m_damaged;
    QPointer<MemoriesDialog> m_dialog;
};

}  // namespace zm
