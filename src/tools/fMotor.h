#pragma once

#include "Motor.h"
#include "SatelliteData.h"
#include "ToolWindowLink.h"
#include "Translatable.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace skyvane {

class HeadingBand;
class SaveDialogSettings;

// The reachable arc as a half circle seen from behind the dish, looking towards the equator: the
// meridian at the top, East on the left in the northern hemisphere; a satellite at its motor
// angle, the chosen one and the one the dish points at now marked.
class MotorArcView : public QWidget {
    Q_OBJECT

public:
    struct Mark {
        double motorAngle; // West positive
        QString label;     // drawn for the chosen and the current satellite only
        bool chosen = false;
        bool current = false;
    };

    explicit MotorArcView(QWidget* parent = nullptr);
    void setArc(std::optional<ReachableArc> arc, bool southern, std::vector<Mark> marks);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<ReachableArc> m_arc;
    bool m_southern = false;
    std::vector<Mark> m_marks;
};

// The motor window: how to set up a polar mount at the site, the arc the dish can reach, the
// chosen satellite's motor angle and Goto X command, and the swing time from the satellite the
// dish points at now. The site is the main window's when the window opens (or the chosen
// record's); the satellites are those of the list then.
class TfrmMotor : public QMainWindow {
    Q_OBJECT

public:
    // Destroys itself when closed.
    TfrmMotor(QWidget* owner, const ToolWindowLink& link);

    static const WindowTranslation& Translation();

    void SetSatellite(const SatelliteRecord& record);
    // Recomputes every value from the inputs; a rejected input keeps the last values.
    void Recalculate();
    // The report between the frame's head and footer.
    QStringList HtmlBodyLines() const;

    QLineEdit* edMinElevation = nullptr;
    QLineEdit* edOffset = nullptr;
    QLineEdit* edSpeed13 = nullptr;
    QLineEdit* edSpeed18 = nullptr;
    QComboBox* cbSatellite = nullptr;
    QComboBox* cbFrom = nullptr;
    QLabel* valMotorAngle = nullptr;
    QLabel* valGotoX = nullptr;
    QLabel* valSwing = nullptr;
    QLabel* valArc = nullptr;
    MotorArcView* arcView = nullptr;

private:
    void BuildWidgets();
    QWidget* BuildSetUpBox();
    QWidget* BuildOptionsBox();
    QWidget* BuildSatelliteBox();
    static QLabel* NewCaption(QWidget* parent, const char* objectName);
    QLabel* AddValueRow(QFormLayout* form, const char* captionName, const char* valueName);
    QLineEdit* AddInputRow(QFormLayout* form, const char* captionName, const char* editName,
                           const char* unitName);
    void FillSatellites();
    std::optional<double> ReadInput(QLineEdit* edit, double low, double high);
    SatelliteRecord ChosenRecord(const QComboBox* box) const;
    void UpdateHeading();
    void ExportToHtml();
    QString Text(int entry) const;

    ToolWindowLink m_link;
    SiteFacts m_siteTaken;
    double m_latitude = 0.0;  // North positive
    double m_longitude = 0.0; // West positive
    std::vector<SatelliteRecord> m_records;
    HeadingBand* m_heading = nullptr;
    QAction* m_exportHtml = nullptr;
    SaveDialogSettings* m_saveDialogHtml = nullptr;
    QHash<const QLabel*, const QLabel*> m_captionOf; // a value's caption
    QLabel* valMotorElevation = nullptr;
    QLabel* valDeclination = nullptr;
    QLabel* valMeridian = nullptr;
    QLabel* valDishScale = nullptr;
    QLabel* valModified = nullptr;
    QLabel* valLimits = nullptr;
};

} // namespace skyvane
