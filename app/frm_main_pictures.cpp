// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the results: the charts copied or saved as images, and the one-page report.

#include <QAction>
#include <QDateTime>

#include "app/frm_main.h"
#include "app/version.h"
#include "dialogs/pdf_report.h"
#include "results/result_texts.h"
#include "station/hamlib_catalog.h"

namespace zm {

namespace {

const SweepFileRequest kReportRequest{"Save report as PDF", "PDF files (*.pdf)", "pdf",
                                      "sweep-report.pdf"};

}  // namespace

void frmMain::offerPictures(const PictureActions& actions, ChartPicture& picture,
                            std::string fileName, std::function<QString()> title) {
    if (!title) {
        title = [this] { return pictureTitle(); };
    }
    connect(actions.copyImage, &QAction::triggered, this,
            [this, &picture, title] { copyPicture(picture, title()); });
    connect(actions.saveImage, &QAction::triggered, this,
            [this, &picture, fileName = std::move(fileName), title] {
                savePicture(picture, fileName, title());
            });
}

void frmMain::copyPicture(ChartPicture& picture, const QString& title) {
    m_devices.clipboard->setImage(pictureImage(picture, title));
}

// The type typed or picked decides: SVG for a name ending in .svg, PNG otherwise. Polling
// rests while the dialog and any message are up, as for the sweep's files.
void frmMain::savePicture(ChartPicture& picture, const std::string& fileName,
                          const QString& title) {
    const PollingPause paused(*this);
    const SweepFileRequest request{"Save image", "PNG images (*.png);;SVG images (*.svg)", "png",
                                   fileName + ".png"};
    if (const auto path = m_devices.sweepFileDialog->chooseSaveName(request)) {
        const bool svg = QString::fromStdString(*path).endsWith(".svg", Qt::CaseInsensitive);
        const QByteArray bytes = svg ? pictureSvg(picture, title) : picturePng(picture, title);
        saveFile(*path, bytes.toStdString(), "The image");
    }
}

void frmMain::mnuSaveReport_Click() {
    const PollingPause paused(*this);
    if (const auto choice = m_devices.sweepFileDialog->chooseReportName(kReportRequest)) {
        const ReportText text{
            pictureTitle(), QString::fromStdString(choice->comment),
            QStringLiteral("ZM-480 Plot %1 · %2")
                .arg(QString::fromUtf8(kVersion.data(), qsizetype(kVersion.size())),
                     QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm")),
            m_devices.chart->traceFeatures()};
        SmithChart* smith =
            m_smithWindow && m_smithWindow->isVisible() ? &m_smithWindow->chart() : nullptr;
        saveFile(choice->path, reportPdf(text, *m_devices.chart, smith).toStdString(),
                 "The report");
    }
}

// Before the first sweep, or after Clear, the plan says what the chart spans. Values taken
// to the antenna's feedpoint say so.
QString frmMain::pictureTitle() {
    const SweepNotes notes =
        m_record.empty()
            ? SweepNotes{{}, m_plan.StartFreq, m_plan.StopFreq, m_plan.StepFreq, m_plan.CarrierMode}
            : m_record.notes;
    const std::string plane =
        m_feedlinePlane.shownPlane() == Plane::Antenna ? " · at the antenna" : "";
    return QString::fromStdString(sweepTitle(notes, radioName()) + plane);
}

// `rigctld -l` is asked once for each model chosen.
std::string frmMain::radioName() {
    const int model = m_station.rig.model;
    if (model == 0) {
        return {};
    }
    if (!m_radioName || m_radioName->first != model) {
        const std::vector<RigModel> models = installedRigModels();
        const RigModel* known = findRigModel(models, model);
        m_radioName.emplace(model, known ? known->maker + " " + known->name : std::string());
    }
    return m_radioName->second;
}

}  // namespace zm
