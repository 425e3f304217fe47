#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QHelpEngineCore;
class QTemporaryDir;
struct QHelpLink;
class QTextBrowser;
class QWidget;

namespace skyvane {

// The help topics, by the context numbers under which the help file holds them.
enum class HelpContext {
    None = 0,
    Main = 1,
    Locations = 102,
    WorldMap = 103,
    Details = 104,
    SunOutage = 105,
    Obstacles = 106,
    Licence = 998,
    Credits = 999,
};

// The program's help: the compiled help file beside the program, opened at a topic by its
// context. F1 anywhere opens the topic of the nearest widget, from the focus outwards, that
// carries one (SetHelpContext).
class HelpBinding : public QObject {
    Q_OBJECT

public:
    static constexpr char kHelpFileName[] = "skyvane.qch";
    static constexpr char kContextProperty[] = "helpContext";

    // Binds to the help file; returns nullptr (and binds nothing) when it cannot be opened.
    static HelpBinding* Create(const QString& helpFile, QObject* parent = nullptr);
    ~HelpBinding() override;

    // The one binding of the running program, if any.
    static HelpBinding* Instance();

    // Gives F1 on `object` (a window, a control or a menu item) and on what lies inside it the
    // topic `context`.
    static void SetHelpContext(QObject* object, HelpContext context);

    // Opens the topic; returns whether the help file holds it.
    bool ShowTopic(HelpContext context);
    // The topic that F1 on this widget opens (None when none).
    static HelpContext ContextFor(const QWidget* widget);
    // Closes the help window.
    void CloseWindows();

    // The title of the page that ShowTopic opens.
    QString TopicTitle(HelpContext context) const;

    // Where the language of the pages comes from: the name of the folder of the current
    // language's pages ("de"); topics without a page there, and an empty name, are English.
    void SetLanguageSource(std::function<QString()> source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpBinding(QHelpEngineCore* engine, std::unique_ptr<QTemporaryDir> scratch, QObject* parent);
    QTextBrowser* viewer();
    QList<QHelpLink> TopicLinks(HelpContext context) const;

    QHelpEngineCore* m_engine;
    QPointer<QTextBrowser> m_viewer;
    std::function<QString()> m_language;
    std::unique_ptr<QTemporaryDir> m_scratch; // the collection's folder when not the cache
};

} // namespace skyvane
