#include "fAbout.h"

#include "Constants.h"
#include "HelpBinding.h"
#include "LanguageController.h"
#include "ProductInfo.h"

#include <QDesktopServices>
#include <QUrl>

namespace skyvane {

TfrmAbout::TfrmAbout(QWidget* owner)
    // A custom title bar with only the close button: window managers add minimise and maximise
    // to a plain dialog. The layout fixes the size, so the frame cannot be dragged either.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setupUi(this);
    HelpBinding::SetHelpContext(this, HelpContext::Credits);
    Panel6->setHeadingText(QStringLiteral("About ..."));
    const QString address = QString::fromLatin1(kProductWebAddress);
    lblLink->setText(
        QStringLiteral("visit <a href=\"%1\">%2</a>!").arg(address, address.toHtmlEscaped()));

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCredits, &QPushButton::clicked, this, &TfrmAbout::btnCreditsClick);
    connect(btnLicense, &QPushButton::clicked, this, &TfrmAbout::btnLicenseClick);
    connect(lblLink, &QLabel::linkActivated, this, &TfrmAbout::lblLinkClick);
    new LanguageController(this, Translation());
}

void TfrmAbout::SetCatalogueVersionSource(std::function<QString()> source) {
    m_catalogueVersion = std::move(source);
}

const WindowTranslation& TfrmAbout::Translation() {
    static const WindowTranslation table{
        "frmAbout",
        {
            {1, "", "Caption", "About ..."},
            {3, "lblHeading", "Caption", "About ..."},
            {13, "btnOk", "Caption", "&OK"},
            {14, "btnCredits", "Caption", "&Credits"},
            {15, "btnLicense", "Caption", "&License"},
        },
        {"*.Font.Name", "lblCopyright.*", "lblForeign", "lblForeign.*", "lblLink.*",
         "lblSkyvaneVersionL.*", "lblSkyvaneVersionV.*", "lblSatposL.*", "lblSatposV.*",
         "lblVersion.*"},
    };
    return table;
}

void TfrmAbout::showEvent(QShowEvent* event) {
    if (!m_shownBefore && parentWidget()) {
        // Centred over the main window the first time; later showings stay where it was left.
        move(parentWidget()->frameGeometry().center() - rect().center());
        m_shownBefore = true;
    }
    QDialog::showEvent(event);
    FormShow();
}

void TfrmAbout::FormShow() {
    lblSatposV->setText(m_catalogueVersion ? m_catalogueVersion() : QStringLiteral("?"));
    lblSkyvaneVersionV->setText(QString::fromLatin1(kProductVersion));
    lblForeign->setText(QStringLiteral("For detailed Copyright informations of foreign components "
                                       "please look into the help file!"));
    lblTranslatedBy->setText(ConstantText(Constant::TranslatedBy));
}

void TfrmAbout::btnCreditsClick() {
    if (HelpBinding* help = HelpBinding::Instance())
        help->ShowTopic(HelpContext::Credits);
}

void TfrmAbout::btnLicenseClick() {
    if (HelpBinding* help = HelpBinding::Instance())
        help->ShowTopic(HelpContext::Licence);
}

void TfrmAbout::lblLinkClick(const QString& link) {
    QDesktopServices::openUrl(QUrl(link));
}

} // namespace skyvane
