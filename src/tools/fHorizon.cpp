#include "fHorizon.h"

#include "DialogSeam.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "NumberText.h"
#include "RegularFile.h"
#include "ReportParts.h"
#include "WindowPlacement.h"

#include <QDir>
#include <QHeaderView>
#include <QPushButton>

namespace skyvane {

namespace {

constexpr qint64 kMaxHorizonFileBytes = 4 * 1024 * 1024;

std::optional<double> CellNumber(const QTableWidgetItem* item) {
    if (!item)
        return std::nullopt;
    try {
        return StrToFloatDot(item->text().trimmed(), false);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

} // namespace

TfrmHorizon::TfrmHorizon(QWidget* owner, const HorizonMask& horizon)
    : QDialog(owner, Qt::Window) {
    setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    new WindowPlacement(this, QStringLiteral("frmHorizon"));
    tblHorizon->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblHorizon->verticalHeader()->setVisible(true);
    connect(btnAddPoint, &QPushButton::clicked, this, &TfrmHorizon::btnAddPointClick);
    connect(btnRemovePoint, &QPushButton::clicked, this, &TfrmHorizon::btnRemovePointClick);
    connect(btnClear, &QPushButton::clicked, this, [this] { tblHorizon->setRowCount(0); });
    connect(btnImport, &QPushButton::clicked, this, &TfrmHorizon::btnImportClick);
    connect(btnBox, &QDialogButtonBox::accepted, this, &TfrmHorizon::btnOkClick);
    connect(btnBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowHorizon(horizon);
    new LanguageController(this, Translation(), [this] { ShowHeaders(); });
}

const WindowTranslation& TfrmHorizon::Translation() {
    static const WindowTranslation table{
        "frmHorizon",
        {
            {1, "", "Caption", "Horizon of the site"},
            {2, "lblInfo", "Caption",
             "Azimuth (degrees from true north) and elevation (degrees) of the skyline, one point "
             "a row. Between the points the skyline runs straight; after the last point it "
             "returns to the first across north."},
            {3, "btnAddPoint", "Caption", "&Add point"},
            {4, "btnRemovePoint", "Caption", "&Remove point"},
            {5, "btnClear", "Caption", "C&lear"},
            {6, "btnImport", "Caption", "&Import horizon file ..."},
            {int(Entry::AzimuthHeader), "HorizonTexts", "AzimuthHeader", "Azimuth (\u00b0)"},
            {int(Entry::ElevationHeader), "HorizonTexts", "ElevationHeader", "Elevation (\u00b0)"},
            {int(Entry::BadRow), "HorizonTexts", "BadRow",
             "Row %s is not an azimuth and an elevation between -90 and 90 degrees."},
            {int(Entry::NotRead), "HorizonTexts", "NotRead", "The horizon file was not read: %s"},
            {int(Entry::FileFilter), "HorizonTexts", "FileFilter",
             "Horizon files (*.hzn *.txt *.dat);;All files (*)"},
        },
        {"*.Font.*", "Font.*", "tblHorizon.*", "btnBox.*"},
    };
    return table;
}

QString TfrmHorizon::Text(Entry entry, const QString& argument) const {
    return TranslatedText(Translation(), static_cast<int>(entry))
        .replace(QLatin1String("%s"), argument);
}

void TfrmHorizon::ShowHeaders() {
    tblHorizon->setHorizontalHeaderLabels(
        {Text(Entry::AzimuthHeader), Text(Entry::ElevationHeader)});
}

void TfrmHorizon::ShowHorizon(const HorizonMask& horizon) {
    tblHorizon->setRowCount(0);
    for (const HorizonMask::Point& point : horizon.points()) {
        const int row = tblHorizon->rowCount();
        tblHorizon->insertRow(row);
        tblHorizon->setItem(row, 0, new QTableWidgetItem(FormatGeneral(point.azimuth)));
        tblHorizon->setItem(row, 1, new QTableWidgetItem(FormatGeneral(point.elevation)));
    }
}

std::optional<HorizonMask> TfrmHorizon::TableHorizon() {
    std::vector<HorizonMask::Point> points;
    for (int row = 0; row < tblHorizon->rowCount(); ++row) {
        const auto azimuth = CellNumber(tblHorizon->item(row, 0));
        const auto elevation = CellNumber(tblHorizon->item(row, 1));
        if (!azimuth || !elevation || !HorizonMask::IsUsablePoint(*azimuth, *elevation)) {
            tblHorizon->selectRow(row);
            DialogSeam::showMessage(this, QMessageBox::Warning, windowTitle(),
                                    Text(Entry::BadRow, QString::number(row + 1)));
            return std::nullopt;
        }
        points.push_back({*azimuth, *elevation});
    }
    return HorizonMask(std::move(points));
}

void TfrmHorizon::btnAddPointClick() {
    const int row =
        tblHorizon->currentRow() < 0 ? tblHorizon->rowCount() : tblHorizon->currentRow() + 1;
    tblHorizon->insertRow(row);
    tblHorizon->setItem(row, 0, new QTableWidgetItem(QString()));
    tblHorizon->setItem(row, 1, new QTableWidgetItem(QString()));
    tblHorizon->setCurrentCell(row, 0);
    tblHorizon->editItem(tblHorizon->item(row, 0));
}

void TfrmHorizon::btnRemovePointClick() {
    if (tblHorizon->currentRow() >= 0)
        tblHorizon->removeRow(tblHorizon->currentRow());
}

void TfrmHorizon::btnImportClick() {
    const QString path = DialogSeam::getOpenFileName(this, WithoutAccelerator(btnImport->text()),
                                                     Text(Entry::FileFilter));
    if (path.isEmpty())
        return;
    const auto bytes = ReadRegularFile(path, kMaxHorizonFileBytes);
    QString error = QDir::toNativeSeparators(path);
    const auto horizon = bytes ? ReadHorizonFile(*bytes, &error) : std::nullopt;
    if (!horizon) {
        DialogSeam::showMessage(this, QMessageBox::Warning, windowTitle(),
                                Text(Entry::NotRead, error));
        return;
    }
    ShowHorizon(*horizon);
}

void TfrmHorizon::btnOkClick() {
    if (const auto horizon = TableHorizon()) {
        emit horizonAccepted(*horizon);
        accept();
    }
}

} // namespace skyvane
