// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/screensize.h"
#include "gui/events/affaireditdialog.h"
#include "gui/paint/paintcpanel.h"
#include "gui/paint/paintwidget.h"
#include "support/widgettest.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QTextEdit>

using namespace WidgetTest;

namespace {
// Opens the picture editor with `command`, sets the event through its dialog, then OK or Cancel.
void EditAndFinish(MainWindow* w, const char* command, const QString& title, bool save)
{
    Click(w, command);
    QPointer<PaintCPanel> editor;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* open = qobject_cast<PaintCPanel*>(top); open && open->isVisible()) {
            editor = open;
        }
    }
    QVERIFY(editor && !w->isVisible());
    // A second Add, or the window brought back, never throws the open editor away.
    w->show();
    Click(w, "AddNew");
    QVERIFY(editor);
    // Meanwhile another row is chosen; an edit still replaces the event it was opened for.
    Table(w)->setCurrentCell(1, 0);
    WhenModal<AffairEditDialog>([title](AffairEditDialog* dialog) {
        Child<QTextEdit>(dialog, "AFTitle")->setPlainText(title);
        Click(dialog, "Daily");
        QTest::mouseClick(Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    Click(editor, "pushButton");
    AnswerBox(QMessageBox::Yes);
    Click(editor, save ? "pushButton_2" : "pushButton_3");
    QTRY_VERIFY(editor.isNull());
    QVERIFY(w->isVisible());
}
} // namespace

class TestMainWindowEditing : public QObject
{
    Q_OBJECT

private slots:
    void addEditAndCancel()
    {
        ScreenSize::setOverride(QSize(320, 240));
        Sandbox box;
        SaveEvents({Event("f", At(2030, 1, 10, 8, 0), Days(1), "First"),
                    Event("s", At(2030, 1, 11, 8, 0), Days(1), "Second")});
        auto w = StartWindow();
        EditAndFinish(w.get(), "AddNew", QStringLiteral("Dentist"), true);
        QCOMPARE(Titles(w.get()), QStringList({"First", "Second", "Dentist"}));
        QCOMPARE(Table(w.get())->currentRow(), 2);
        QCOMPARE(AffairStore().LoadAffairs().At(2).GetPeriod(), Days(1));
        QVERIFY(QFileInfo::exists(AffairStore().LoadAffairs().At(2).GetPicPath()));

        Table(w.get())->setCurrentCell(0, 0);
        EditAndFinish(w.get(), "Edit", QStringLiteral("First, edited"), true);
        QCOMPARE(Titles(w.get()), QStringList({"First, edited", "Second", "Dentist"}));
        QCOMPARE(AffairStore().LoadAffairs().At(0).GetAffairID(), QStringLiteral("f"));

        const QByteArray before = TestEnv::readAll(AffairStore::DefaultPath());
        EditAndFinish(w.get(), "Edit", QStringLiteral("Never kept"), false);
        QCOMPARE(TestEnv::readAll(AffairStore::DefaultPath()), before);
        QCOMPARE(QDir(QStringLiteral("data")).entryList({QStringLiteral("dap*")}, QDir::Files).size(), 3);
    }
};

QTEST_MAIN(TestMainWindowEditing)
#include "testmainwindowediting.moc"
