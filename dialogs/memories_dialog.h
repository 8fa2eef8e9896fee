// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "results/memory_file.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zm {

// "Memories…": every memory a row in its colour, ticked when it is shown. A tick shows or
// hides it; Rename (or F2, or a double click) edits its name in place; Delete and Save…
// act on the selected row. The dialog keeps no memories: it reports what the user did to
// the handlers and shows what it is handed back.
class MemoriesDialog : public QDialog {
public:
    struct Handlers {
        // A tick or a new name: the row's tick and name as they are now.
        std::function<void(std::size_t, bool shown, const std::string& name)> change;
        std::function<void(std::size_t)> remove;
        std::function<void(std::size_t)> save;
    };

    MemoriesDialog(Handlers handlers, QWidget* parent);

    void setMemories(const std::vector<Memory>& memories);
    QListWidget* list() const { return m_list; }

private:
    void itemChanged(QListWidgetItem* item);
    void actOnSelected(const std::function<void(std::size_t)>& action);

    Handlers m_handlers;
    QListWidget* m_list = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_save = nullptr;
    bool m_filling = false;  // the list's own changes while it is refilled are no user's
};

}  // namespace zm
