#include "HelpBinding.h"

#include "ReadableColours.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <memory>

namespace skyvane {

namespace {

HelpBinding*& Current() {
    static HelpBinding* binding = nullptr;
    return binding;
}

// A translation's pages are filed under its language: "de/topic-105".
QString TopicIdentifier(HelpContext context, const QString& language) {
    const QString topic = QStringLiteral("topic-%1").arg(static_cast<int>(context));
    return language.isEmpty() ? topic : language + QLatin1Char('/') + topic;
}

QColor Blend(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(float(mix(from.redF(), to.redF())),
                            float(mix(from.greenF(), to.greenF())),
                            float(mix(from.blueF(), to.blueF())));
}

// The pages carry no colours of their own: they take the theme's text and base, with the
// program's slate blue for headings and table heads where it reads and lighter tints on a dark
// base.
QString PageColours(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = ReadableOn(palette.color(QPalette::Text), base);
    const QColor slate(0x4b, 0x64, 0x83);
    const QColor paleBlue(0xa6, 0xc5, 0xe2);
    const bool lightBase = ContrastRatio(slate, base) >= ContrastRatio(paleBlue, base);
    const QColor heading = ReadableOn(lightBase ? slate : paleBlue, base);
    const QColor tableHead = lightBase ? paleBlue : slate;
    const QColor note = lightBase ? QColor(0xf3, 0xf7, 0xfb) : Blend(base, slate, 0.35);
    return QStringLiteral("body { color: %1; background-color: %2; }\n"
                          "h1, h2 { color: %3; }\n"
                          "th { color: %4; background-color: %5; }\n"
                          ".note { color: %6; background-color: %7; }\n"
                          "a { color: %8; }\n")
        .arg(text.name(), base.name(), heading.name(), ReadableOn(text, tableHead).name(),
             tableHead.name(), ReadableOn(text, note).name(), note.name(),
             ReadableOn(palette.color(QPalette::Link), base).name());
}

// Reads help pages straight out of the compiled help file, in the colours of the theme.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngineCore* engine)
        : m_engine(engine) {
        document()->setDefaultStyleSheet(PageColours(palette()));
    }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp"))
            return m_engine->fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

protected:
    void changeEvent(QEvent* event) override {
        QTextBrowser::changeEvent(event);
        if (event->type() != QEvent::PaletteChange &&
            event->type() != QEvent::ApplicationPaletteChange)
            return;
        const QString colours = PageColours(palette());
        if (colours == document()->defaultStyleSheet())
            return;
        // The style sheet applies when a page is read, so the page on show is read again.
        document()->setDefaultStyleSheet(colours);
        if (!source().isEmpty())
            reload();
    }

private:
    QHelpEngineCore* m_engine;
};

// The help file as the collection last registered it: path, size and time of change.
QString HelpFileStamp(const QString& helpFile) {
    const QFileInfo info(helpFile);
    return QStringLiteral("%1|%2|%3")
        .arg(info.absoluteFilePath())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

constexpr char kHelpFileStampKey[] = "skyvane/registeredHelpFile";

bool HoldsHelpFile(QHelpEngineCore& engine, const QString& helpFile, const QString& ns) {
    return engine.registeredDocumentations().contains(ns) &&
           engine.documentationFileName(ns) == QFileInfo(helpFile).absoluteFilePath() &&
           engine.customValue(QLatin1String(kHelpFileStampKey)).toString() ==
               HelpFileStamp(helpFile);
}

// An engine over the collection file with the help file registered, or null. Registering reads
// the whole help file, so a collection that registered this very file is used as it is, and
// opened read-only: a writable engine writes the collection on every start, a synced
// transaction or two before the window can show.
std::unique_ptr<QHelpEngineCore> OpenEngine(const QString& collection, const QString& helpFile,
                                            const QString& ns) {
    if (QFileInfo(collection).isFile()) {
        auto reader = std::make_unique<QHelpEngineCore>(collection);
        reader->setReadOnly(true);
        if (reader->setupData() && HoldsHelpFile(*reader, helpFile, ns))
            return reader;
    }
    auto engine = std::make_unique<QHelpEngineCore>(collection);
    engine->setReadOnly(false);
    if (!engine->setupData())
        return nullptr;
    if (HoldsHelpFile(*engine, helpFile, ns))
        return engine;
    const QString stamp = HelpFileStamp(helpFile);
    const bool registered = engine->registeredDocumentations().contains(ns);
    if (registered)
        engine->unregisterDocumentation(ns);
    if (!engine->registerDocumentation(helpFile))
        return nullptr;
    engine->setCustomValue(QLatin1String(kHelpFileStampKey), stamp);
    return engine;
}

} // namespace

HelpBinding* HelpBinding::Create(const QString& helpFile, QObject* parent) {
    if (!QFileInfo(helpFile).isFile())
        return nullptr;
    const QString ns = QHelpEngineCore::namespaceName(helpFile);
    if (ns.isEmpty())
        return nullptr;
    // The engine keeps its registrations in a collection file of its own; a per-user cache
    // folder keeps the program folder untouched.
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath();
    QDir().mkpath(cache);
    const QString collection = cache + QStringLiteral("/skyvane-help.qhc");
    std::unique_ptr<QHelpEngineCore> engine;
    // Something other than a file in its place (a folder, a FIFO) is left alone.
    if (!QFileInfo::exists(collection) || QFileInfo(collection).isFile()) {
        engine = OpenEngine(collection, helpFile, ns);
        if (!engine) {
            // The collection is only a cache: a damaged one (a crash while it was written, a
            // full disk) is built afresh rather than leaving the program without help for good.
            QFile::remove(collection);
            engine = OpenEngine(collection, helpFile, ns);
        }
    }
    if (engine)
        return new HelpBinding(engine.release(), nullptr, parent);
    // Where the cache cannot be made, the help still opens from a collection of this run.
    auto scratch = std::make_unique<QTemporaryDir>();
    if (scratch->isValid())
        engine = OpenEngine(scratch->filePath(QStringLiteral("skyvane-help.qhc")), helpFile, ns);
    return engine ? new HelpBinding(engine.release(), std::move(scratch), parent) : nullptr;
}

HelpBinding::HelpBinding(QHelpEngineCore* engine, std::unique_ptr<QTemporaryDir> scratch,
                         QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_scratch(std::move(scratch)) {
    m_engine->setParent(this);
    Current() = this;
    if (qApp)
        qApp->installEventFilter(this);
}

HelpBinding::~HelpBinding() {
    CloseWindows();
    delete m_viewer;
    // The engine holds its collection open until it goes.
    delete m_engine;
    if (Current() == this)
        Current() = nullptr;
}

HelpBinding* HelpBinding::Instance() {
    return Current();
}

void HelpBinding::SetLanguageSource(std::function<QString()> source) {
    m_language = std::move(source);
}

QList<QHelpLink> HelpBinding::TopicLinks(HelpContext context) const {
    const QString language = m_language ? m_language() : QString();
    if (!language.isEmpty()) {
        const QList<QHelpLink> translated =
            m_engine->documentsForIdentifier(TopicIdentifier(context, language));
        if (!translated.isEmpty())
            return translated;
    }
    return m_engine->documentsForIdentifier(TopicIdentifier(context, QString()));
}

QString HelpBinding::TopicTitle(HelpContext context) const {
    const QList<QHelpLink> links = TopicLinks(context);
    return links.isEmpty() ? QString() : links.first().title;
}

QTextBrowser* HelpBinding::viewer() {
    if (!m_viewer) {
        m_viewer = new HelpBrowser(m_engine);
        m_viewer->setObjectName(QStringLiteral("helpViewer"));
        m_viewer->setAttribute(Qt::WA_DeleteOnClose, false);
        m_viewer->setOpenLinks(true);
        m_viewer->resize(640, 560);
    }
    return m_viewer;
}

bool HelpBinding::ShowTopic(HelpContext context) {
    const QList<QHelpLink> links = TopicLinks(context);
    if (links.isEmpty())
        return false;
    QTextBrowser* browser = viewer();
    browser->setSource(links.first().url);
    browser->setWindowTitle(links.first().title);
    browser->show();
    browser->raise();
    browser->activateWindow();
    return true;
}

void HelpBinding::CloseWindows() {
    if (m_viewer)
        m_viewer->close();
}

void HelpBinding::SetHelpContext(QObject* object, HelpContext context) {
    object->setProperty(kContextProperty, static_cast<int>(context));
}

HelpContext HelpBinding::ContextFor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant context = w->property(kContextProperty);
        if (context.isValid() && context.toInt() > 0)
            return static_cast<HelpContext>(context.toInt());
    }
    return HelpContext::None;
}

bool HelpBinding::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        if (const HelpContext context = ContextFor(target); context != HelpContext::None) {
            ShowTopic(context);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace skyvane
