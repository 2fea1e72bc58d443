#pragma once

// The « Statistiques » window: four tabs that draw what the statistics model
// gives, each worked out when it is first shown and again each time the window
// is shown; the history exported as a CSV file.

#include "clock.h"
#include "lists/listfile.h"
#include "lists/listid.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

class QChartView;

namespace tirages::progress {
class Store;
}

namespace tirages::screens {

class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    StatisticsWindow(const progress::Store& store, Clock now, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QLabel* week = nullptr;          // « Cette semaine : … »
    QTableWidget* lists = nullptr;   // one row per list trained
    QLabel* known = nullptr;         // « Mots connus aujourd'hui : … »
    QTableWidget* hardest = nullptr; // the questions most often missed
    QPushButton* trainHardest = nullptr;
    QPushButton* exporter = nullptr;
    // The charts, in the order of the tabs.
    QList<QChartView*> charts() const;

    // Brought up to date, then shown and raised.
    Q_INVOKABLE void open();

signals:
    // « Entraîner ces mots »: the questions of the table, as a list.
    void trainRequested(const lists::ListContent& questions);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill(int tab);
    void fillDaily();
    void fillLists();
    void fillListCurve();
    void fillMemory();
    void fillHardest();
    void exportClicked();

    const progress::Store& m_store;
    Clock m_now;
    QList<bool> m_filled;
    QList<lists::ListId> m_listKeys; // the list of each row of `lists`
    lists::ListContent m_hardest;
    QChartView* m_minutes = nullptr;
    QChartView* m_answers = nullptr;
    QChartView* m_listCurve = nullptr;
    QChartView* m_known = nullptr;
    QChartView* m_due = nullptr;
    QChartView* m_right = nullptr;
};

} // namespace tirages::screens
