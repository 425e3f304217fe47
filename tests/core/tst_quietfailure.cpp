#include "QuietFailure.h"

#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

using namespace skyvane;

class TestQuietFailure : public QObject {
    Q_OBJECT

private slots:
    void swallowedFailureIsLogged_data();
    void swallowedFailureIsLogged();
};

void TestQuietFailure::swallowedFailureIsLogged_data() {
    QTest::addColumn<bool>("throws");
    QTest::newRow("action completes") << false;
    QTest::newRow("action throws") << true;
}

void TestQuietFailure::swallowedFailureIsLogged() {
    QFETCH(const bool, throws);
    if (throws)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^export failed: disk full$")));
    const bool completed = RunQuietly("export", [throws] {
        if (throws)
            throw std::runtime_error("disk full");
    });
    QCOMPARE(completed, !throws);
}

QTEST_GUILESS_MAIN(TestQuietFailure)
#include "tst_quietfailure.moc"
