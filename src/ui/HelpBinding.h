#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QHelpEngineCore;
class QTextBrowser;
class QWidget;

namespace skyvane {

// The program's help: the compiled help file beside the program, opened at a topic by its
// context number (1 main window, 102 locations, 103 world map, 104 details, 105 sun outage,
// 106 obstacles, 998 licence, 999 credits). F1 anywhere opens the topic of the nearest widget,
// from the focus outwards, that carries the dynamic property "helpContext".
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

    // Opens the topic of a context number; returns whether the help file holds it.
    bool ShowTopic(int context);
    // The context number that F1 on this widget opens (0 when none).
    static int ContextFor(const QWidget* widget);
    // Closes the help window.
    void CloseWindows();

    QString TopicTitle(int context) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit HelpBinding(QHelpEngineCore* engine, QObject* parent);
    QTextBrowser* viewer();

    QHelpEngineCore* m_engine;
    QPointer<QTextBrowser> m_viewer;
};

} // namespace skyvane
