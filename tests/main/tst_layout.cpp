#include "DialogSeam.h"
#include "LanguageManager.h"
#include "SettingsStore.h"
#include "Unit1.h"
#include "fAbout.h"
#include "fEarth.h"
#include "fInit.h"
#include "fLocationDatabase.h"
#include "fMotor.h"
#include "fObstacles.h"
#include "fSatDetail.h"
#include "fSunOutage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace skyvane;

namespace {

using WindowFactory = std::function<QWidget*(const QString& folder)>;

SatelliteRecord Satellite() {
    return std::make_shared<const TSatelliteData>(TSatelliteData{
        QStringLiteral("Hotbird 1/2/3/4/6"), -13.0, 173.25, 35.5, -16.16, 47.16, -12.3});
}

// Values as wide as a window shows them, where the window leaves them empty until used.
void FillValue(QWidget* window, const char* name, const QString& text) {
    if (auto* label = window->findChild<QLabel*>(QLatin1String(name)))
        label->setText(text);
}

QWidget* MainWindow(const QString& folder) {
    auto* window =
        new TfrmMain(std::make_unique<SettingsStore>(folder + QStringLiteral("/settings.ini")));
    // Shown when the declination library is present, as on an installed system.
    window->findChild<QWidget*>(QStringLiteral("pnlMagDev"))->show();
    FillValue(window, "lblMagDev", QStringLiteral("-4,25° E"));
    return window;
}

QWidget* DetailWindow(const QString&) {
    auto* window = new TfrmSatDetail(nullptr, {});
    window->SetSatellite(Satellite());
    return window;
}

QWidget* SunOutageWindow(const QString&) {
    auto* window = new TfrmSunOutage(nullptr, {});
    window->SetSatellite(Satellite());
    return window;
}

QWidget* LocationWindow(const QString&) {
    auto* window = new TfrmLocations(nullptr, {}, nullptr);
    FillValue(window, "lblLatV", QStringLiteral("47,50° N"));
    FillValue(window, "lblLongV", QStringLiteral("160,16° W"));
    return window;
}

// A satellite low enough for a distance of three digits.
QWidget* ObstaclesWindow(const QString&) {
    auto* window = new TfrmObstacles(nullptr, {});
    TSatelliteData low = *Satellite();
    low.Elevation = 3.56;
    window->SetSatellite(std::make_shared<const TSatelliteData>(low));
    return window;
}

QWidget* MotorWindow(const QString&) {
    auto* window = new TfrmMotor(nullptr, {});
    window->SetSatellite(Satellite());
    return window;
}

QWidget* AboutBox(const QString&) {
    auto* window = new TfrmAbout();
    window->setWindowModality(Qt::NonModal);
    return window;
}

// Controls the forms declare; the toolkit's own parts of a control carry no name or a "qt_" one.
bool IsFormControl(const QWidget* widget) {
    const QString name = widget->objectName();
    return widget->isVisible() && !widget->isWindow() && !name.isEmpty() &&
           !name.startsWith(QLatin1String("qt_"));
}

bool IsPicture(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && !label->pixmap().isNull();
}

QString TextOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

// The room a line edit's painting gives its text: the style's contents rectangle less the text
// margins, two pixels either side and a pixel for the cursor.
QSize TextRoom(const QLineEdit* edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return {contents.width() - margins.left() - margins.right() - 5,
            contents.height() - margins.top() - margins.bottom()};
}

// Why the edit scrolls its text out of sight, or an empty string.
QString EditCutOff(const QLineEdit* edit) {
    const QFontMetrics metrics = edit->fontMetrics();
    const int needed = metrics.horizontalAdvance(edit->text()) +
                       std::max(0, -metrics.minLeftBearing()) +
                       std::max(0, -metrics.minRightBearing());
    const QSize room = TextRoom(edit);
    if (needed <= room.width() && metrics.height() <= room.height())
        return {};
    return edit->objectName() + QStringLiteral(" \"%1\" needs %2x%3 pixels, has %4x%5")
                                    .arg(edit->text())
                                    .arg(needed)
                                    .arg(metrics.height())
                                    .arg(room.width())
                                    .arg(room.height());
}

// Why the control does not show its whole text, or an empty string.
QString CutOff(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return EditCutOff(edit);
    const QString text = TextOf(widget);
    if (text.isEmpty())
        return {};
    const QString where = widget->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
    const QRect inParent = widget->parentWidget()->rect();
    if (!inParent.contains(widget->geometry()))
        return where + QStringLiteral(" lies outside its parent");
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (label && label->wordWrap()) {
        if (label->heightForWidth(label->width()) > label->height())
            return where + QStringLiteral(" needs more lines than fit");
        return {};
    }
    const QSize needed = widget->sizeHint();
    if (needed.width() > widget->width() || widget->minimumSizeHint().height() > widget->height())
        return where + QStringLiteral(" needs %1x%2, has %3x%4")
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(widget->width())
                           .arg(widget->height());
    return {};
}

void CollectFaults(const QWidget* parent, QStringList& faults) {
    QList<const QWidget*> controls;
    for (const QObject* child : parent->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget || !IsFormControl(widget))
            continue;
        if (const QString fault = CutOff(widget); !fault.isEmpty())
            faults << fault;
        if (!IsPicture(widget))
            controls << widget;
        CollectFaults(widget, faults);
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                faults << controls[i]->objectName() + QStringLiteral(" overlaps ") +
                              controls[j]->objectName();
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private:
    QFont m_defaultFont;

private slots:
    void initTestCase() {
        m_defaultFont = QApplication::font();
        DialogSeam::setMessageHook([](QMessageBox::Icon, const QString&, const QString&) {});
        TfrmMain::SetDeclinationLibraryName(QStringLiteral("libgeomag_absent_for_this_test"));
    }

    void cleanup() {
        QApplication::setFont(m_defaultFont);
        LanguageManager::Instance().Reset();
    }

    void everyCaptionShowsWhole_data() {
        QTest::addColumn<WindowFactory>("factory");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("pointSize");
        const QList<std::pair<const char*, WindowFactory>> windows{
            {"main", MainWindow},
            {"details", DetailWindow},
            {"sun outage", SunOutageWindow},
            {"obstacles", ObstaclesWindow},
            {"motor", MotorWindow},
            {"world map", [](const QString&) { return new TfrmEarth(); }},
            {"locations", LocationWindow},
            {"about", AboutBox},
            {"splash", [](const QString&) { return new TfrmInit(); }},
        };
        const QList<std::pair<const char*, int>> languages{{"English", kLanguageEnglish},
                                                           {"German", kLanguageGerman},
                                                           {"Hungarian", kLanguageHungarian}};
        for (const auto& [window, factory] : windows)
            for (const auto& [language, id] : languages)
                for (const int pointSize : {0, 11, 14})
                    QTest::addRow("%s, %s, %s", window, language,
                                  pointSize ? qPrintable(QStringLiteral("%1 pt").arg(pointSize))
                                            : "default font")
                        << factory << id << pointSize;
    }

    // At the smallest size the window allows, every caption and every edit's text is whole and
    // no two controls side by side overlap.
    void everyCaptionShowsWhole() {
        QFETCH(WindowFactory, factory);
        QFETCH(int, language);
        QFETCH(int, pointSize);
        if (pointSize) {
            QFont font = m_defaultFont;
            font.setPointSize(pointSize);
            QApplication::setFont(font);
        }
        RegisterStartupLanguages(QString());
        LanguageManager::Instance().SetCurrentLanguageId(language);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        std::unique_ptr<QWidget> window(factory(folder.path()));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->resize(1, 1);
        QApplication::processEvents();

        QStringList faults;
        CollectFaults(window.get(), faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
