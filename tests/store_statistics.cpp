// The statistics of a small made-up history, on a database the test fills:
// each figure of the four tabs, a day that turns at midnight, and an empty
// history.

#include "reviews/fsrs.h"
#include "session/statistics.h"
#include "support/historysupport.h"
#include "support/progresssupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using progress::Store;

namespace {

using test::at;
using test::kArbre;
using test::kCible;
using test::kNow;
using test::kTable;

} // namespace

class StoreStatistics : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<Store> m_empty;

    // Every figure a test row names, from `store`.
    static QString figure(const Store& store, const QString& name) {
        const session::Daily d = session::daily(store.history(), kNow);
        const auto bar = [&](int day) {
            const session::DayBar& b = d.days[d.days.size() - 1 - (9 - day)];
            return QStringLiteral("%1 min, %2 right, %3 wrong").arg(b.minutes).arg(b.right).arg(b.wrong);
        };
        if (name == "days")
            return QString::number(d.days.size()) + " " + d.days.first().day.toString(Qt::ISODate);
        if (name == "1st" || name == "8th" || name == "9th")
            return bar(name.left(name.size() - 2).toInt());
        if (name == "week")
            return d.week;
        if (name == "daily spoken")
            return d.spoken;
        if (name == "lists") {
            QStringList rows;
            for (const session::ListRow& row : session::listRows(store.history()))
                rows << row.cells.join(u'|');
            return rows.join(u'\n');
        }
        if (name == "curve") {
            const session::ListCurve curve =
                session::listCurve(store.history(), test::list("5 lettres"));
            QStringList points;
            for (const progress::LeftAfter& p : curve.points)
                points << p.at.toString("d HH:mm") + "=" + QString::number(p.wordsLeft);
            return points.join(u' ') + " / " + curve.spoken;
        }
        const session::Memory m = session::memory(store.history(), kNow);
        if (name == "due")
            return QStringLiteral("%1 today, %2 tomorrow").arg(m.due[0]).arg(m.due[1]);
        if (name == "right")
            return m.right.last() ? QString::number(*m.right.last()) : "none";
        if (name == "memory spoken")
            return m.dueSpoken + " / " + m.rightSpoken;
        if (name == "hardest") {
            QStringList rows;
            for (const QStringList& cells : session::hardest(store.history()).cells)
                rows << cells.join(u'|');
            return rows.join(u'\n');
        }
        return "no such figure: " + name;
    }

private slots:
    void initTestCase() {
        m_store = test::openStore(m_dir.filePath("history.sqlite"));
        QVERIFY(test::fillHistory(*m_store));
        m_empty = test::openStore(m_dir.filePath("empty.sqlite"));
    }

    void figures_data() {
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("eight weeks") << false << "days" << "56 2026-10-15";
        QTest::newRow("a day of last week") << false << "1st" << "2 min, 1 right, 1 wrong";
        QTest::newRow("just before midnight") << false << "8th" << "3 min, 0 right, 2 wrong";
        QTest::newRow("just after midnight") << false << "9th" << "1 min, 2 right, 1 wrong";
        QTest::newRow("this week, from Monday")
            << false << "week" << "Cette semaine : 4 min d'entraînement, 5 réponses, 40\u00A0% justes.";
        QTest::newRow("the days chart, spoken")
            << false << "daily spoken"
            << "Minutes d'entraînement et réponses justes et fausses par jour, du 15 oct. au 9 déc. :"
               " 3 jours d'entraînement, 6 min en tout.";
        QTest::newRow("lists kept") << false << "lists" << "5 lettres|3|2|2|5 min|25\u00A0%|";
        QTest::newRow("words left after each series")
            << false << "curve"
            << "1 10:00=2 8 23:58=2 / Mots restants de « 5 lettres » après chaque série : de 2 à 2"
               " en 2 séries.";
        QTest::newRow("due: CIBLE, missed again after midnight, tomorrow")
            << false << "due" << "0 today, 1 tomorrow";
        QTest::newRow("reviews right this week: ARBRE and TABLE of four") << false << "right" << "0.5";
        QTest::newRow("the memory charts, spoken")
            << false << "memory spoken"
            << "Révisions des 30 prochains jours : 0 aujourd'hui, 2 en tout. / Part des révisions"
               " justes par semaine, sur huit semaines, pour 90\u00A0% visés : 50\u00A0% cette"
               " semaine.";
        QTest::newRow("hardest: two misses each, the slowest first")
            << false << "hardest" << "BCEIL|CIBLE|2|2|26,0\nABELT|TABLE|2|3|16,0";
        QTest::newRow("empty: the week") << true << "week" << "Cette semaine : pas encore d'entraînement.";
        QTest::newRow("empty: no list") << true << "lists" << "";
        QTest::newRow("empty: nothing due") << true << "due" << "0 today, 0 tomorrow";
        QTest::newRow("empty: no review") << true << "right" << "none";
        QTest::newRow("empty: no hard word") << true << "hardest" << "";
    }
    void figures() {
        QFETCH(bool, empty);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(figure(empty ? *m_empty : *m_store, name), expected);
    }

    // Known: what the schedule gives at least 90 % chances of recall, now and
    // at the end of each earlier day.
    void knownWords() {
        const session::Memory m = session::memory(m_store->history(), kNow);
        qint32 known = 0;
        for (const lists::Entry& question : {kArbre, kTable, kCible})
            known +=
                reviews::retrievability(*m_store->memory().card(question), kNow) >= 0.9 ? 1 : 0;
        QCOMPARE(m.knownToday, known);
        QVERIFY(known > 0);
        QCOMPARE(m.known.size(), session::kStatisticsDays);
        QCOMPARE(m.known[m.known.size() - 10], 0); // the 30th of November: nothing reviewed yet
        QCOMPARE(m.known[m.known.size() - 9], 1);  // the 1st: ARBRE, found
        QCOMPARE(session::memory(m_empty->history(), kNow).knownToday, 0);
    }

    void theHistoryExportsForASpreadsheet() {
        const QString path = m_dir.filePath("historique.csv");
        QVERIFY(session::exportHistory(*m_store, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // spreadsheets read it as UTF-8
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        QCOMPARE(lines.size(), 1 + 7 + 1);
        QCOMPARE(lines[0], "date;liste;tirage;solution;réponse;juste;secondes;note");
        QCOMPARE(lines[1], "2026-12-01 10:00:00;5 lettres;ABERR;ARBRE;ARBRE;oui;3;Facile");
        QCOMPARE(lines[4], "2026-12-08 23:58:00;5 lettres;BCEIL;CIBLE;;non;50;À revoir");
        QCOMPARE(lines[6], "2026-12-09 00:01:00;mes mots;ABELT;TABLE;TABLE;oui;8;Bien");
        // A folder that cannot be written: said, and nothing left behind.
        const auto failed = session::exportHistory(*m_store, m_dir.filePath("absent/h.csv"));
        QVERIFY(failed.why().contains("ne peut pas être écrit : le dossier"));
    }
};

QTEST_GUILESS_MAIN(StoreStatistics)
#include "store_statistics.moc"
