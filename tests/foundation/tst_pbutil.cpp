#include <QtTest>
class TstPbUtil : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(TstPbUtil)
#include "tst_pbutil.moc"
