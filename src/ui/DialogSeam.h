#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QWidget;
class QDialog;
class QPrinter;
class QProgressDialog;

namespace skyvane {

// What a save dialog needs to know. filter uses Qt's form ("HTML (*.html *.htm);;All (*)").
struct SaveDialogRequest {
    QString title;
    QString filter;
    QString defaultSuffix; // without the dot: "html"
    QString directory;
};

// Every modal dialog of the program goes through here, so a test can answer it instead of a
// user. Each hook, when set, replaces the real dialog.
class DialogSeam {
public:
    // Returns the chosen path, or an empty text when the user cancelled.
    using SaveFileHook = std::function<QString(const SaveDialogRequest&)>;
    // Returns the chosen existing file, or an empty text when the user cancelled.
    using OpenFileHook = std::function<QString(const QString& title, const QString& filter)>;
    // Returns whether the user confirmed printing with the printer's settings.
    using PrintHook = std::function<bool(QPrinter&)>;
    // Stands for the preview dialog: given the printer and what paints a printout on it.
    using PrintPreviewHook =
        std::function<void(QPrinter&, const std::function<void(QPrinter&)>& paint)>;
    // Records a message instead of showing it.
    using MessageHook =
        std::function<void(QMessageBox::Icon, const QString& title, const QString& text)>;
    // Answers a question: the index of the chosen answer, or -1 for Cancel.
    using ChoiceHook =
        std::function<int(const QString& title, const QString& text, const QStringList& answers)>;
    // Answers a request for a number: the number, or none for Cancel.
    using NumberHook = std::function<std::optional<double>(const QString& title,
                                                           const QString& label, double value)>;
    // Answers a request for a text, or for one item of a list (`items` empty): the text or
    // the chosen item, or none for Cancel.
    using TextHook = std::function<std::optional<QString>(
        const QString& title, const QString& label, const QString& text, const QStringList& items)>;
    // Is given a progress window as it is shown, to look at it or press its Cancel.
    using ProgressHook = std::function<void(QProgressDialog&)>;

    static QString getSaveFileName(QWidget* parent, const SaveDialogRequest& request);
    // filter uses Qt's form, as for saving.
    static QString getOpenFileName(QWidget* parent, const QString& title, const QString& filter);
    static bool askPrint(QWidget* parent, QPrinter& printer);
    // The preview dialog over `printer`; `paint` draws the printout, again for every change of
    // the page setup and once more when the user prints from the preview.
    // `furnish`, when given, may add to the real dialog (a tool bar action) before it shows.
    static void showPrintPreview(QWidget* parent, QPrinter& printer,
                                 const std::function<void(QPrinter&)>& paint,
                                 const std::function<void(QDialog&)>& furnish = {});
    static void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text);
    // A question with `answers` as buttons (the first the default) and Cancel; the index of the
    // chosen answer, or -1 when the user cancelled.
    static int askChoice(QWidget* parent, const QString& title, const QString& text,
                         const QStringList& answers);
    // A number from the user, starting at `value`, within [low, high], with two decimals in
    // the user's locale; none when cancelled.
    static std::optional<double> askNumber(QWidget* parent, const QString& title,
                                           const QString& label, double value, double low,
                                           double high);
    // A line of text from the user, starting with `text`; none when cancelled.
    static std::optional<QString> askText(QWidget* parent, const QString& title,
                                          const QString& label, const QString& text);
    // One of `items` (not editable), starting at `current`; none when cancelled.
    static std::optional<QString> askItem(QWidget* parent, const QString& title,
                                          const QString& label, const QStringList& items,
                                          const QString& current);
    // A long task's progress window never blocks: it shows itself after its minimum duration
    // and reports Cancel through its signal.
    static void showProgress(QProgressDialog& dialog);

    static void setSaveFileHook(SaveFileHook hook);
    static void setOpenFileHook(OpenFileHook hook);
    static void setPrintHook(PrintHook hook);
    static void setPrintPreviewHook(PrintPreviewHook hook);
    static void setMessageHook(MessageHook hook);
    static void setProgressHook(ProgressHook hook);
    static void setChoiceHook(ChoiceHook hook);
    static void setNumberHook(NumberHook hook);
    static void setTextHook(TextHook hook);
    static void clearHooks();
};

} // namespace skyvane
