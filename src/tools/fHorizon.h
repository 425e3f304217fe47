#pragma once

#include "HorizonMask.h"
#include "Translatable.h"

#include "ui_fHorizon.h"

#include <QDialog>

#include <optional>

namespace skyvane {

// Edits the current site's skyline as a table of azimuth/elevation pairs, as read with a compass
// and a clinometer, or fills it from a horizon file. OK hands the new mask over
// (horizonAccepted) when every row is a pair; a row that is not is named and selected, and the
// dialog stays open. Not modal; destroys itself when closed.
class TfrmHorizon : public QDialog, public Ui::TfrmHorizon {
    Q_OBJECT

public:
    TfrmHorizon(QWidget* owner, const HorizonMask& horizon);

    static const WindowTranslation& Translation();

    // The table as a mask; none, with the first bad row selected, while a row is no pair.
    std::optional<HorizonMask> TableHorizon();
    void ShowHorizon(const HorizonMask& horizon);

    void btnAddPointClick();
    void btnRemovePointClick();
    void btnImportClick();
    void btnOkClick();

signals:
    void horizonAccepted(const skyvane::HorizonMask& horizon);

private:
    enum class Entry {
        AzimuthHeader = 8,
        ElevationHeader = 9,
        BadRow = 10,
        NotRead = 11,
        FileFilter = 12,
    };
    QString Text(Entry entry, const QString& argument = QString()) const;
    void ShowHeaders();
};

} // namespace skyvane
