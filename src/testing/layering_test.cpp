#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

// The folders of src/ as layers (docs/layers.txt): a file includes only headers from its own
// folder and from the folders below it, so no folder depends on one above it and no two folders
// depend on each other.

namespace {

const QString kTestSupport = QStringLiteral("testing");

// Where a file sits: its folder (under src/, or bench, fuzz, e2e); whether it is a test or test
// support, which may include the test support too; and whether it sits on top of every layer
// (the test support and the programs in bench/, fuzz/ and e2e/).
struct SPlace {
    QString folder;
    bool test = false;
    bool onTop = false;
};

// Whether a file at place may include a header from the src/ folder target.
bool MayInclude(const QStringList& layers, const SPlace& place, const QString& target)
{
    if (target == place.folder)
        return true;
    if (target == kTestSupport)
        return place.test;
    const qsizetype targetLayer = layers.indexOf(target);
    if (targetLayer < 0)
        return false;
    if (place.onTop)
        return true;
    const qsizetype ownLayer = layers.indexOf(place.folder);
    return ownLayer >= 0 && targetLayer < ownLayer;
}

QString SourceDir()
{
    return qEnvironmentVariable("ORTHEX_SOURCE_DIR");
}

// The layer table: one folder a line, bottom up; '#' starts a comment line.
QStringList ReadLayers()
{
    QFile file(SourceDir() + QStringLiteral("/docs/layers.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList layers;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            layers.append(line);
    }
    return layers;
}

// Every include of a src/ header that the layers refuse, as "file:line: #include ...".
QStringList Violations(const QStringList& layers)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([a-z_]+)/[^\"]+\""));
    const QString root = SourceDir();
    QStringList found;
    for (const QString& top : {QStringLiteral("src"), QStringLiteral("bench"), QStringLiteral("fuzz"),
                               QStringLiteral("e2e")}) {
        QDirIterator files(root + QLatin1Char('/') + top, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString relative = path.mid(root.size() + 1);
            SPlace place;
            place.folder = top == QLatin1String("src") ? relative.section(QLatin1Char('/'), 1, 1) : top;
            place.onTop = top != QLatin1String("src") || place.folder == kTestSupport;
            place.test = place.onTop || relative.endsWith(QLatin1String("_test.cpp"));
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                found.append(relative + QStringLiteral(": cannot be read"));
                continue;
            }
            int lineNumber = 0;
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine());
                ++lineNumber;
                const QRegularExpressionMatch match = include.match(line);
                if (match.hasMatch() && !MayInclude(layers, place, match.captured(1)))
                    found.append(QStringLiteral("%1:%2: %3").arg(relative).arg(lineNumber).arg(line.trimmed()));
            }
        }
    }
    return found;
}

}  // namespace

class LayeringTest : public QObject
{
    Q_OBJECT
private slots:
    void rule_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("test");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("a layer below") << "users" << false << "storage" << true;
        QTest::newRow("a layer above") << "base" << false << "app" << false;
        QTest::newRow("a later subsystem") << "rules" << false << "reports" << false;
        QTest::newRow("test support from code") << "lists" << false << "testing" << false;
        QTest::newRow("test support from a test") << "lists" << true << "testing" << true;
        QTest::newRow("a folder not in the table") << "app" << false << "misc" << false;
    }
    void rule()
    {
        QFETCH(QString, folder);
        QFETCH(bool, test);
        QFETCH(QString, target);
        QFETCH(bool, allowed);
        const QStringList layers{QStringLiteral("base"), QStringLiteral("storage"), QStringLiteral("rules"),
                                 QStringLiteral("users"), QStringLiteral("lists"), QStringLiteral("reports"),
                                 QStringLiteral("app")};
        QCOMPARE(MayInclude(layers, SPlace{folder, test, false}, target), allowed);
    }

    void tree()
    {
        if (SourceDir().isEmpty())
            QSKIP("ORTHEX_SOURCE_DIR is not set: run it through CTest");
        const QStringList layers = ReadLayers();
        QVERIFY2(!layers.isEmpty(), "docs/layers.txt is missing or names no folder");
        const QStringList found = Violations(layers);
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("includes against the layers (docs/layers.txt):\n")
                                             + found.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(LayeringTest)
#include "layering_test.moc"
