// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/memories_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/memory_colours.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"
#include "zoom/application_zoom.h"

namespace zm {

namespace {

// A dashed stroke in the memory's colour, as the charts draw it, at the program's zoom.
QIcon colourSample(int colour) {
    const Zoom zoom = applicationZoom();
    QPixmap sample((QSizeF(24, 12) * zoom.factor()).toSize());
    sample.fill(Qt::transparent);
    QPainter painter(&sample);
    painter.scale(zoom.factor(), zoom.factor());
    painter.setPen(QPen(memoryColour(colour), 2.0, Qt::DashLine));
    painter.drawLine(1, 6, 23, 6);
    return QIcon(sample);
}

// The marker its legend line on the chart carries: the lowest SWR, or else a resonance.
QString firstMarker(const SweepRecord& record) {
    const SweepFeatures features = findFeatures(record);
    std::vector<std::string> lines = swrMarkerLines(features);
    if (lines.empty()) {
        lines = resonanceMarkerLines(features);
    }
    return lines.empty() ? QStringLiteral("no marker") : QString::fromStdString(lines.front());
}

}  // namespace

MemoriesDialog::MemoriesDialog(Handlers handlers, QWidget* parent)
    : QDialog(parent), m_handlers(std::move(handlers)) {
    setWindowTitle("Memories – ZM-480 Plot");
    auto* hint = new QLabel(
        "Ticked memories are drawn dashed under the sweep, in every plot "
        "and on the Smith chart.",
        this);
    hint->setWordWrap(true);
    m_list = new QListWidget(this);
    m_list->setMinimumWidth(static_cast<int>(applicationZoom().scaled(380)));
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    m_rename = new QPushButton("Rename", this);
    m_delete = new QPushButton("Delete", this);
    m_save = new QPushButton("Save…", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* actions = new QHBoxLayout;
    for (QPushButton* button : {m_rename, m_delete, m_save}) {
        actions->addWidget(button);
    }
    actions->addStretch();
    actions->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_list);
    layout->addLayout(actions);

    connect(m_list, &QListWidget::itemChanged, this, &MemoriesDialog::itemChanged);
    connect(m_rename, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = m_list->currentItem()) {
            m_list->editItem(item);
        }
    });
    connect(m_delete, &QPushButton::clicked, this, [this] { actOnSelected(m_handlers.remove); });
    connect(m_save, &QPushButton::clicked, this, [this] { actOnSelected(m_handlers.save); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// Rows are updated in place while their number stays: a tick's own handler hands the
// memories back from inside the list's signal, when its item must not be deleted.
void MemoriesDialog::setMemories(const std::vector<Memory>& memories) {
    m_filling = true;
    const int row = m_list->currentRow();
    if (static_cast<std::size_t>(m_list->count()) != memories.size()) {
        m_list->clear();
        for (std::size_t i = 0; i < memories.size(); ++i) {
            auto* item = new QListWidgetItem(m_list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
        }
    }
    for (std::size_t i = 0; i < memories.size(); ++i) {
        const Memory& memory = memories[i];
        QListWidgetItem* item = m_list->item(static_cast<int>(i));
        item->setIcon(colourSample(memory.colour));
        item->setText(QString::fromStdString(memory.name));
        item->setCheckState(memory.shown ? Qt::Checked : Qt::Unchecked);
        const std::string& taken = memory.record.notes.takenAt;
        item->setToolTip(taken.empty() ? QString() : QString::fromStdString("Taken " + taken));
        // A screen reader says the name, shown or not (the tick), and then this.
        item->setData(Qt::AccessibleDescriptionRole, firstMarker(memory.record));
    }
    m_list->setCurrentRow(std::min(std::max(row, 0), m_list->count() - 1));
    m_filling = false;
    for (QPushButton* button : {m_rename, m_delete, m_save}) {
        button->setEnabled(m_list->count() > 0);
    }
}

// A tick or a new name; the handlers hand the memories back, which refills the list.
void MemoriesDialog::itemChanged(QListWidgetItem* item) {
    if (m_filling) {
        return;
    }
    m_handlers.change(static_cast<std::size_t>(m_list->row(item)),
                      item->checkState() == Qt::Checked, item->text().toStdString());
}

void MemoriesDialog::actOnSelected(const std::function<void(std::size_t)>& action) {
    if (const int row = m_list->currentRow(); row >= 0) {
        action(static_cast<std::size_t>(row));
    }
}

}  // namespace zm
