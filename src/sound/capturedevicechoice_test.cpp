#include "sound/capturedevicechoice.h"
#include "testing/testenvironment.h"

using Device = CCaptureDeviceChoice::Device;
Q_DECLARE_METATYPE(QList<Device>)

namespace {
QList<Device> devices(const QStringList& descriptions)
{
    QList<Device> out;
    int n = 0;
    for (const QString& d : descriptions)
        out.append({QByteArray("dev") + QByteArray::number(n++), d});
    return out;
}
}  // namespace

class CaptureDeviceChoiceTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<QList<Device>>("listing");
        QTest::addColumn<QString>("chosen");

        QTest::newRow("first Microphone") << devices({"Line In", "Microphone (USB Audio Device)", "Microphone 2"})
                                          << "Microphone (USB Audio Device)";
        QTest::newRow("case counts") << devices({"microphone", "MICROPHONE", "Headset Microphone"})
                                     << "Headset Microphone";
        QTest::newRow("none: the default") << devices({"Line In", "Monitor of Speaker"}) << QString();
        QTest::newRow("empty listing") << QList<Device>{} << QString();

        QStringList many;
        for (int i = 0; i < 20; ++i)
            many << QStringLiteral("Input %1").arg(i);
        QTest::newRow("21st device not counted") << devices(many + QStringList{"Microphone"}) << QString();
        QTest::newRow("20th device counted") << devices(many.mid(1) + QStringList{"Microphone"}) << "Microphone";

        QList<Device> withDefault = devices(many.mid(1));
        withDefault.prepend({QByteArray(), QStringLiteral("Default Microphone")});
        withDefault.append({QByteArray("mic"), QStringLiteral("Microphone")});
        QTest::newRow("entry without identifier skipped and not counted") << withDefault << "Microphone";
    }

    void choice()
    {
        QFETCH(QList<Device>, listing);
        QFETCH(QString, chosen);
        CCaptureDeviceChoice choice;
        choice.Offer(listing);
        QCOMPARE(choice.HasChoice(), !chosen.isEmpty());
        QCOMPARE(choice.ChosenDescription(), chosen);
        if (!chosen.isEmpty()) {
            for (const Device& d : listing)
                if (d.description == chosen)
                    QCOMPARE(choice.ChosenId(), d.id);
        } else {
            QVERIFY(choice.ChosenId().isEmpty());
        }
    }

    void choiceHoldsForTheRun()
    {
        CCaptureDeviceChoice choice;
        choice.Offer({{"a", "Line In"}});
        QVERIFY(!choice.HasChoice());
        choice.Offer({{"b", "Microphone A"}});
        choice.Offer({{"c", "Microphone B"}, {"b", "Microphone A"}});
        QCOMPARE(choice.ChosenId(), QByteArray("b"));
        QCOMPARE(choice.ChosenDescription(), QStringLiteral("Microphone A"));
    }
};

ORTHEX_TEST_MAIN(CaptureDeviceChoiceTest)
#include "capturedevicechoice_test.moc"
