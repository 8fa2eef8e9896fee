// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/memories_part.h"

namespace zm {

MemoriesPart::MemoriesPart(QString folder, QWidget& window, MessageBoxes& messages,
                           std::function<void()> changed, std::function<void(const Memory&)> save)
    : m_window(window),
      m_messages(messages),
      m_changed(std::move(changed)),
      m_save(std::move(save)),
      m_shelf(std::move(folder)),
      m_damaged(m_shelf.load()) {}

void MemoriesPart::keep(Memory memory) {
    std::string whyNot;
    if (!m_shelf.add(std::move(memory), whyNot)) {
        m_messages.show(whyNot);
    }
    m_changed();
}

void MemoriesPart::openDialog() {
    if (!m_dialog) {
        m_dialog = new MemoriesDialog(
            {[this](std::size_t i, bool shown, const std::string& name) { change(i, shown, name); },
             [this](std::size_t i) { remove(i); },
             // A copy: the dialog runs the event loop while the file is chosen.
             [this](std::size_t i) { m_save(Memory(m_shelf.memories().at(i))); }},
            &m_window);
        m_dialog->setMemories(m_shelf.memories());
    }
    m_dialog->show();
    m_dialog->raise();
}

// A row's tick or name; the one that did not change writes nothing, and the charts are
// told once.
void MemoriesPart::change(std::size_t index, bool shown, const std::string& name) {
    std::string whyNot;
    if (!m_shelf.setShown(index, shown, whyNot)) {
        m_messages.show(whyNot);
    }
    if (!m_shelf.rename(index, name, whyNot)) {
        m_messages.show(whyNot);
    }
    m_changed();
}

void MemoriesPart::remove(std::size_t index) {
    std::string whyNot;
    if (!m_shelf.remove(index, whyNot)) {
        m_messages.show(whyNot);
    }
    m_changed();
}

void MemoriesPart::refreshDialog() {
    if (m_dialog) {
        m_dialog->setMemories(m_shelf.memories());
    }
}

void MemoriesPart::reportDamage() {
    if (m_damaged.empty()) {
        return;
    }
    std::string text = "These memories could not be read and are not shown:";
    for (const std::string& damage : m_damaged) {
        text += "\n" + damage;
    }
    m_messages.show(text + "\nThey are left as they are in " + m_shelf.folder().toStdString() +
                    "; mend or remove them there, then start the program again.");
    m_damaged.clear();
}

}  // namespace zm
