#pragma once

// A training screen shown and active, started on a list written for the test.

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/colours.h"
#include "screens/fonts.h"
#include "screens/trainingscreen.h"
#include "support/controls.h"
#include "support/testsupport.h"
#include "support/widgetsupport.h"

#include <QLineEdit>
#include <QtTest>
#include <memory>

namespace tirages::test {

class ScreenFixture {
public:
    // Entries as "draw;solution" lines.
    explicit ScreenFixture(const QStringList& lines) {
        screens::installFontSubstitutions();
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toLatin1() + "\r\n";
        m_folder.write("list.txt", bytes);
        form = std::make_unique<screens::TrainingScreen>(countingSeeds());
        form->setBeep([this] { ++beeps; });
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        const lists::ListResult list = lists::readList(QStringLiteral("list.txt"));
        QVERIFY(std::holds_alternative<lists::ListFile>(list));
        form->start(*lists::listEntries(list));
    }

    // The slot whose draw box shows `draw`, or -1.
    int slotOf(const QString& draw) const {
        for (int s = 0; s < training::kSlots; ++s) {
            if (ui(form).tirage[s]->text() == draw)
                return s;
        }
        return -1;
    }

    QWidget* focused() const { return QApplication::focusWidget(); }

    QColor colourOf(const QWidget* widget) const { return test::background(widget); }

    WorkingFolder m_folder;
    std::unique_ptr<screens::TrainingScreen> form;
    int beeps = 0;
};

} // namespace tirages::test
