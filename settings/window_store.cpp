// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/window_store.h"

#include <QDir>

#include "settings/whole_file.h"

namespace zm {

namespace {

// Two lines; a file much larger is no window file.
constexpr qint64 kMaxReadBytes = 1 << 12;

}  // namespace

WindowStore::WindowStore(QString directory) : m_directory(std::move(directory)) {}

QString WindowStore::filePath() const {
    return QDir(m_directory).filePath("window.ini");
}

Zoom WindowStore::load(std::string& damageReport) const {
    Zoom zoom;
    const CheckedFile file = readCheckedFile(filePath(), kMaxReadBytes, [&](std::string_view text) {
        WindowFileRead read = readWindowText(text);
        zoom = read.zoom;
        return read.damage;
    });
    damageReport.clear();
    if (file.damage.empty()) {
        return zoom;
    }
    damageReport = "The zoom in " + filePath().toStdString() + " was not used: " + file.damage +
                   ". " + file.keptText +
                   "the window is drawn at 100 % until you choose a zoom in View, Zoom.";
    return {};
}

bool WindowStore::save(Zoom zoom, std::string& whyNot) const {
    const std::optional<QString> failure = replaceFileWhole(filePath(), writeWindowText(zoom));
    if (failure) {
        whyNot = "The zoom could not be saved to " + filePath().toStdString() + " (" +
                 failure->toStdString() +
                 "). Check that the folder is writable and the disk is not full.";
    }
    return !failure;
}

}  // namespace zm
