#pragma once

class QLineEdit;
class QRadioButton;
class QCheckBox;
class QLabel;
class QPushButton;

namespace skyvane {

// The main window's site controls, as the world map and the location window see them: they
// write the edit texts and check the radio buttons, then click btnGo, exactly as a user would.
// Reports read the same controls. All pointers belong to the main window.
struct SiteInputs {
    QLineEdit* edLat = nullptr;  // latitude text as typed, without hemisphere
    QLineEdit* edLong = nullptr; // longitude text as typed, without hemisphere
    QRadioButton* rbEsLatN = nullptr;
    QRadioButton* rbEsLatS = nullptr;
    QRadioButton* rbEsLongW = nullptr;
    QRadioButton* rbEsLongE = nullptr;
    QPushButton* btnGo = nullptr;
};

} // namespace skyvane
