// A long session: ten thousand conversions typed into the window, with a topic change after every
// ten, on the shipped data files. The heap in use must not grow once the window has warmed up; the
// figures (time per conversion, heap and resident size) are printed for the record.
#include "fixture.h"

#include "table/conversiontable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>

#include <cstddef>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own allocator keeps the count (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

#if defined(__SANITIZE_ADDRESS__)
// Under the sanitizers every repaint costs many times more; a fifth of the run still finds any
// bad access or leak on the way, and the plain build runs the whole of it.
constexpr int kConversions = 2000;
constexpr int kWarmUp = 500;
#else
constexpr int kConversions = 10000;
constexpr int kWarmUp = 1000;
#endif
constexpr int kPerTopic = 10;

// Bytes the program holds on the heap now.
qint64 heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    return qint64(mallinfo2().uordblks);
#endif
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * 4096 : 0;
}

} // namespace

class LongRunTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void tenThousandConversionsKeepTheHeap()
    {
        if (!QFile::exists(QStringLiteral(OV_DATA_DIR "/Omnivel.omv")))
            QSKIP("no shipped data files");
        environment().setSetting("Obecne/SafeEnd", "0");
        MainWindow& w = startedWindow(Data::Shipped);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto* grid = w.findChild<QTableWidget*>(QStringLiteral("msgTab"));
        const ov::UnitDatabase& db = context().db;

        qint64 heapAfterWarmUp = 0, residentAfterWarmUp = 0;
        QElapsedTimer clock;
        int topic = 0, warmTopic = 0;
        long counted = 0; // the temperature formulas are not counted as conversions
        for (int i = 0; i < kConversions; ++i) {
            if (i % kPerTopic == 0) {
                // The next topic that has units, from the topic menu.
                do
                    topic = topic % ov::kBuiltinTopics + 1;
                while (db.unitCount(topic) < 2);
                QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_%1").arg(topic)));
                QCOMPARE(w.table()->currentTopic(), topic);
                w.table()->focusGrid();
            }
            if (i == kWarmUp) {
                // Measured on a freshly filled topic, and at the end on the same one.
                warmTopic = topic;
                heapAfterWarmUp = heapInUse();
                residentAfterWarmUp = residentBytes();
                clock.start();
            }
            // A value into the next row down, as typed: digits, the decimal comma, Enter.
            keyToFocus(&w, Qt::Key_Down);
            typeToFocus(&w, QStringLiteral("%1,5").arg(i % 997 + 1));
            keyToFocus(&w, Qt::Key_Return);
            counted += topic == 16 ? 0 : 1;
            // Between two entries the event loop runs, as it does while a user types: the
            // window repaints and what was handed over for later deletion goes.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (i % 500 == 0) {
                // Now and then a look that the conversion really happened.
                QVERIFY(grid->item(0, 2) && !grid->item(0, 2)->text().isEmpty());
            }
        }
        const double msEach = double(clock.elapsed()) / (kConversions - kWarmUp);
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_%1").arg(warmTopic)));
        w.table()->focusGrid();
        const qint64 heapGrowth = heapInUse() - heapAfterWarmUp;
        const qint64 residentGrowth = residentBytes() - residentAfterWarmUp;
        QCOMPARE(w.table()->conversionCount(), counted);
        QCOMPARE(fakeDialogs().calls().size(), 0);
        qInfo("%d conversions, %d topic changes: %.2f ms each; heap in use %.1f MiB after warm-up, grew by %lld bytes; "
              "resident %.1f MiB, grew by %.1f MiB",
              kConversions, kConversions / kPerTopic, msEach, double(heapAfterWarmUp) / 1048576.0,
              qlonglong(heapGrowth), double(residentAfterWarmUp) / 1048576.0, double(residentGrowth) / 1048576.0);
        // A leak of even a few bytes per conversion would pass 32 kB over the measured conversions.
        QVERIFY2(heapGrowth < 32 * 1024, qPrintable(QString::number(heapGrowth)));
    }
};

QTEST_MAIN(LongRunTest)
#include "longrun_test.moc"
