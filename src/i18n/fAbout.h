#pragma once

#include "Translatable.h"
#include "ui_fAbout.h"

#include <QDialog>

#include <functional>

namespace skyvane {

// The about box: program and catalogue versions, notice line, web link, translator credit, and
// the way into the help's credits and licence pages. Created hidden at start and kept.
class TfrmAbout : public QDialog, public Ui::TfrmAbout {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* owner = nullptr);

    // Where FormShow reads the catalogue version ("?" until a version comment was read).
    void SetCatalogueVersionSource(std::function<QString()> source);

    static const WindowTranslation& Translation();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btnCreditsClick();
    void btnLicenseClick();
    void lblLinkClick(const QString& link);

    std::function<QString()> m_catalogueVersion;
    bool m_shownBefore = false;
};

} // namespace skyvane
