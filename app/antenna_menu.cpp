// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/antenna_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <algorithm>

#include "app/form_menus.h"
#include "history/history_store.h"
#include "numbers/number_text.h"
#include "results/memory_file.h"

namespace zm {

AntennaMenu::AntennaMenu(QMenu& menu, std::filesystem::path folder, MessageBoxes& messages,
                         std::function<const AntennaSettings&()> settings,
                         std::function<void(const AntennaSettings&)> keep,
                         const std::function<void()>& openHistory)
    : m_menu(menu),
      m_folder(std::move(folder)),
      m_messages(messages),
      m_settings(std::move(settings)),
      m_keep(std::move(keep)),
      m_group(new QActionGroup(&menu)) {
    m_separator = m_menu.addSeparator();
    QAction* add = m_menu.addAction(QStringLiteral("&New antenna..."));
    add->setObjectName(QStringLiteral("mnuNewAntenna"));
    connect(add, &QAction::triggered, this, &AntennaMenu::newAntenna);
    QAction* rename = m_menu.addAction(QStringLiteral("&Rename..."));
    rename->setObjectName(QStringLiteral("mnuRenameAntenna"));
    connect(rename, &QAction::triggered, this, &AntennaMenu::renameInUse);
    m_menu.addSeparator();
    QAction* history = m_menu.addAction(QStringLiteral("&History..."));
    history->setObjectName(QStringLiteral("mnuHistory"));
    connect(history, &QAction::triggered, this, openHistory);
    connect(&m_menu, &QMenu::aboutToShow, this, &AntennaMenu::show);
}

std::string AntennaMenu::inUse() const {
    return antennaInUse(m_settings(), std::nullopt);
}

// The history's names in the order they were named, and the one in use where the history
// has not kept a sweep of it yet.
std::vector<std::string> AntennaMenu::known() {
    std::string problem;
    std::vector<std::string> names = HistoryStore(m_folder).antennas(problem);
    const std::string current = inUse();
    if (std::none_of(names.begin(), names.end(),
                     [&](const std::string& name) { return equalsIgnoringCase(name, current); })) {
        names.push_back(current);
    }
    return names;
}

void AntennaMenu::show() {
    for (QAction* item : m_items) {
        delete item;
    }
    m_items.clear();
    const std::string current = inUse();
    for (const std::string& name : known()) {
        auto* item = new QAction(menuText(name), &m_menu);
        item->setCheckable(true);
        item->setChecked(equalsIgnoringCase(name, current));
        m_group->addAction(item);
        connect(item, &QAction::triggered, this, [this, name] { choose(name); });
        m_menu.insertAction(m_separator, item);
        m_items.push_back(item);
    }
}

// The item chosen is checked by its group: the menu is not made again from within its own
// signal, which would delete the item that sends it.
void AntennaMenu::choose(const std::string& antenna) {
    AntennaSettings settings = m_settings();
    settings.inUse = antenna;
    m_keep(settings);
}

// A name the history knows already, in any letter case, is chosen rather than made twice.
void AntennaMenu::newAntenna() {
    const std::optional<std::string> typed =
        m_messages.askLine("Name the new antenna, e.g. 40m dipole:", {});
    const std::string name = typed ? cleanMemoryName(*typed) : std::string();
    if (name.empty()) {
        return;
    }
    const std::vector<std::string> names = known();
    const auto same = std::find_if(names.begin(), names.end(), [&](const std::string& known) {
        return equalsIgnoringCase(known, name);
    });
    if (same != names.end()) {
        choose(*same);
        show();
        return;
    }
    std::string problem;
    if (!HistoryStore(m_folder).addAntenna(name, problem)) {
        m_messages.show(problem);
        return;
    }
    choose(name);
    show();
}

// The history's sweeps go with the new name, and so do station.ini's ties to the radio's
// sockets.
void AntennaMenu::renameInUse() {
    const std::string from = inUse();
    const std::optional<std::string> typed =
        m_messages.askLine("Rename the antenna \"" + from + "\" to:", from);
    const std::string to = typed ? cleanMemoryName(*typed) : std::string();
    if (to.empty() || to == from) {
        return;
    }
    std::string problem;
    if (!HistoryStore(m_folder).renameAntenna(from, to, problem) && !problem.empty()) {
        m_messages.show(problem);
        return;
    }
    AntennaSettings settings = m_settings();
    settings.inUse = from;  // the default name, too, becomes the one in use
    renameAntennaIn(settings, from, to);
    m_keep(settings);
    show();
}

}  // namespace zm
