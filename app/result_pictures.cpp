// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/result_pictures.h"

#include <QAction>
#include <QDateTime>

#include "app/chosen_file.h"
#include "app/version.h"
#include "dialogs/pdf_report.h"
#include "results/result_texts.h"
#include "station/hamlib_catalog.h"

namespace zm {

namespace {

const SweepFileRequest kReportRequest{"Save report as PDF", "PDF files (*.pdf)", "pdf",
                                      "sweep-report.pdf"};

}  // namespace

ResultPictures::ResultPictures(Devices& devices, const SweepModel& model,
                               const SweepResults& results, std::function<const RigSettings&()> rig,
                               SweepResults::AtRest atRest)
    : m_devices(devices),
      m_model(model),
      m_results(results),
      m_rig(std::move(rig)),
      m_atRest(std::move(atRest)) {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    offer({menu.copyImage, menu.saveImage}, *m_devices.chart, "sweep");
    connect(menu.saveReport, &QAction::triggered, this, &ResultPictures::saveReport);
}

void ResultPictures::offer(const PictureActions& actions, ChartPicture& picture,
                           std::string fileName, std::function<QString()> title) {
    if (!title) {
        title = [this] { return this->title(); };
    }
    connect(actions.copyImage, &QAction::triggered, this, [this, &picture, title] {
        m_devices.clipboard->setImage(pictureImage(picture, title()));
    });
    connect(actions.saveImage, &QAction::triggered, this,
            [this, &picture, fileName = std::move(fileName), title] {
                save(picture, fileName, title());
            });
}

// The type typed or picked decides: SVG for a name ending in .svg, PNG otherwise. Polling
// rests while the dialog and any message are up, as for the sweep's files.
void ResultPictures::save(ChartPicture& picture, const std::string& fileName,
                          const QString& title) {
    m_atRest([&] {
        const SweepFileRequest request{"Save image", "PNG images (*.png);;SVG images (*.svg)",
                                       "png", fileName + ".png"};
        if (const auto path = m_devices.sweepFileDialog->chooseSaveName(request)) {
            const bool svg = QString::fromStdString(*path).endsWith(".svg", Qt::CaseInsensitive);
            const QByteArray bytes = svg ? pictureSvg(picture, title) : picturePng(picture, title);
            saveChosenFile(m_devices, *path, bytes.toStdString(), "The image");
        }
    });
}

void ResultPictures::saveReport() {
    m_atRest([&] {
        const auto choice = m_devices.sweepFileDialog->chooseReportName(kReportRequest);
        if (!choice) {
            return;
        }
        const ReportText text{
            title(), QString::fromStdString(choice->comment),
            QStringLiteral("ZM-480 Plot %1 · %2")
                .arg(QString::fromUtf8(kVersion.data(), qsizetype(kVersion.size())),
                     QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm")),
            m_devices.chart->traceFeatures()};
        SmithWindow* smithWindow = m_results.smithWindow();
        SmithChart* smith =
            smithWindow && smithWindow->isVisible() ? &smithWindow->chart() : nullptr;
        saveChosenFile(m_devices, choice->path,
                       reportPdf(text, *m_devices.chart, smith).toStdString(), "The report");
    });
}

// Before the first sweep, or after Clear, the plan says what the chart spans. Values taken
// to the antenna's feedpoint say so.
QString ResultPictures::title() {
    const SweepRecord& record = m_model.record();
    const SweepPlan& plan = m_model.plan();
    const SweepNotes notes =
        record.empty()
            ? SweepNotes{{}, plan.StartFreq, plan.StopFreq, plan.StepFreq, plan.CarrierMode}
            : record.notes;
    const std::string plane = m_model.plane() == Plane::Antenna ? " · at the antenna" : "";
    return QString::fromStdString(sweepTitle(notes, radioName()) + plane);
}

// `rigctld -l` is asked once for each model chosen.
std::string ResultPictures::radioName() {
    const int model = m_rig().model;
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
