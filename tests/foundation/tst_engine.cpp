#include <QtTest>
class TstEngine : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(TstEngine)
#include "tst_engine.moc"
