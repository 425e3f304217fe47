#pragma once

#include "Obstacles.h"
#include "SatelliteData.h"
#include "ToolWindowLink.h"
#include "Translatable.h"

#include "ui_fObstacles.h"

#include <QMainWindow>

class QLineEdit;

namespace skyvane {

// The obstacle calculator: of elevation, distance and height the user picks one to calculate
// from the other two. The three values live only as the texts of their edits; every change of
// any edit, typed or written by the program, recalculates. A typed value that needs correcting
// is corrected in its edit only when the edit is left or Enter is pressed, so that typing is
// never disturbed; until then the calculation uses the corrected value.
class TfrmObstacles : public QMainWindow, public Ui::TfrmObstacles {
    Q_OBJECT

public:
    // Destroys itself when closed.
    TfrmObstacles(QWidget* owner, const ToolWindowLink& link);

    static const WindowTranslation& Translation();
    // The confirmation that an obstacle went into the horizon, a text of no control.
    static constexpr int kAddedEntry = 18;

    // Distance mode, the satellite's elevation and a height of 10 m as the starting values.
    void SetSatellite(const SatelliteRecord& record);

    ObstacleMode CurrentMode() const;
    // The edit that shows the value being calculated in a mode.
    QLineEdit* ResultEdit(ObstacleMode mode) const;

    void OnRbChange();
    void OnInputChange();
    void OnInputFinished();
    // Raises the main window's site horizon by the obstacle in the satellite's direction, up to
    // the elevation it blocks.
    void mAddToHorizonClick();
    // The elevation the obstacle as given blocks in the satellite's direction, degrees: the
    // calculated elevation, or in the other modes the elevation it was calculated for; NaN
    // while an input is rejected.
    double BlockedElevation() const { return m_blockedElevation; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void Close1Click();
    void LanguageController1LanguageChanged();
    void ConnectHandlers();
    void SetUpColours();
    void PlaceCaptions();
    // The edits as wide and tall as their font needs, their units beside them.
    void PlaceEdits();

    void Recalculate(bool writeCorrections);
    // Reads an input edit and marks it when its text is no number (giving NaN) or its value is
    // too large to calculate with. With writeCorrections, a corrected value is written back
    // (which recalculates once more).
    double ReadInput(QLineEdit* edit, ObstacleInput (*reader)(const QString&),
                     bool writeCorrections);
    // Shows a result; shows none while an input is rejected, and refuses one too large to show
    // and marks the inputs it came from.
    void ShowResult(ObstacleMode mode, double result, bool inputRejected);

    SatelliteRecord Satellite;
    ToolWindowLink m_link;
    double m_blockedElevation = 0.0; // degrees
    int recalculationDepth = 0;
};

} // namespace skyvane
