// SPDX-License-Identifier: GPL-3.0-or-later
// The real message and file boxes, and the save dialogs of the forms through the message service.
#include "app/forms/frmdatagrid.h"
#include "app/forms/frmprojinfo.h"
#include "app/forms/sitefixture.h"
#include "app/startup.h"
#include "platform/dates.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "platform/gui/spreadgrid.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output for texts.
static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Runs the steps, in order, on the modal windows as they come up (each step once a window of its
// kind is the active modal one). A step that opens a further modal window defers that, so that the
// next step can run.
class ModalSteps {
public:
    ModalSteps() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    }
    template <class W> ModalSteps& then(std::function<void(W&)> step) {
        steps_.push_back([step](QWidget* w) {
            auto* t = qobject_cast<W*>(w);
            if (!t) return false;
            step(*t);
            return true;
        });
        return *this;
    }
    void start() { timer_.start(); }
    bool done() const { return steps_.empty(); }

private:
    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (steps_.empty() || !w || !w->isVisible()) return;
        const auto step = steps_.front();
        if (step(w)) steps_.pop_front();
        if (steps_.empty()) timer_.stop();
    }
    QTimer timer_;
    std::deque<std::function<bool(QWidget*)>> steps_;
};

// Enter, as the keyboard gives it to the box.
void pressEnter(QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), "Quillmare 2002"); // a box given no title of its own says whose it is
    QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
    QTest::keyClick(target, Qt::Key_Return);
}

void typeName(QFileDialog& d, const QString& name) {
    auto* edit = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(edit);
    edit->setText(name);
}

// The Save button, pressed once the step has returned.
void save(QFileDialog& d) {
    QMetaObject::invokeMethod(&d, "accept", Qt::QueuedConnection);
}

const QString kExchange = QStringLiteral("Tab Separated (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|"
                                         "Line Delimited (*.ldl)|*.ldl");

} // namespace

TEST(GuiUi, EnterPressesTheDefaultButtonTheStyleNames) {
    GuiUi gui;
    for (const int style : {vb::YesNo | vb::Question, vb::YesNo | vb::Question | vb::DefaultButton2,
                            vb::YesNoCancel | vb::DefaultButton3, vb::OKCancel | vb::DefaultButton2}) {
        SCOPED_TRACE(style);
        ModalSteps steps;
        steps.then<QMessageBox>(pressEnter).start();
        EXPECT_EQ(gui.MsgBox("Do you wish to continue?", style, titleEmpty), vb::DefaultAnswer(style));
        EXPECT_TRUE(steps.done());
    }
}

TEST(GuiUi, TheSaveDialogAddsTheChosenTypesExtensionBeforeItAsksToReplace) {
    TempProgramFolder pf;
    GuiUi gui;
    FileDialogRequest r;
    r.save = true;
    r.title = "Save Project As...";
    r.filter = "Quillmare Project Files (*.qlp)|*.qlp|";
    r.initDir = pf.path();
    ModalSteps steps;
    steps
        .then<QFileDialog>([](QFileDialog& d) {
            typeName(d, "riverside");
            save(d);
        })
        .start();
    EXPECT_EQ(gui.FileDialog(r), pf.file("riverside.qlp"));
    EXPECT_TRUE(steps.done());

    // The type chosen in the dialog gives the extension.
    r.title = "Export Data";
    r.filter = kExchange;
    r.overwritePrompt = true;
    ModalSteps csv;
    csv.then<QFileDialog>([](QFileDialog& d) {
           d.selectNameFilter("Comma Separated (*.csv)");
           typeName(d, "all");
           save(d);
       })
        .start();
    EXPECT_EQ(gui.FileDialog(r), pf.file("all.csv"));
    EXPECT_TRUE(csv.done());

    // The dialog asks about the file it will replace, under the completed name; No keeps it open.
    writeRaw(pf.file("all.ldl"), "old");
    QString asked;
    ModalSteps replace;
    replace
        .then<QFileDialog>([](QFileDialog& d) {
            d.selectNameFilter("Line Delimited (*.ldl)");
            typeName(d, "all");
            save(d);
        })
        .then<QMessageBox>([&](QMessageBox& box) {
            asked = box.text();
            box.button(QMessageBox::No)->click();
        })
        .then<QFileDialog>([](QFileDialog& d) { d.reject(); })
        .start();
    EXPECT_EQ(gui.FileDialog(r), "");
    EXPECT_TRUE(replace.done());
    EXPECT_TRUE(asked.startsWith("all.ldl already exists.")) << qPrintable(asked);
    EXPECT_EQ(readRaw(pf.file("all.ldl")), "old");
}

namespace {

// The main window with a project open, as the program shows it.
class SaveDialogs : public ProgramStateTest {
protected:
    void SetUp() override { qtext::WriteLines(pf.file("defcolor.col"), {"1", "Black", "0 0 0"}); }
    TempProgramFolder pf;
};

} // namespace

TEST_F(SaveDialogs, ANewProjectNamedWithoutExtensionIsSavedAsAProjectFileWithItsDatabase) {
    ModGW& m = modgw();
    m.NewProjectMode = -1;
    m.CentralDataPath = pf.path();
    ScriptedUi ui;
    frmProjInfo& f = forms::form<frmProjInfo>();
    f.SS->setText(1, 1, "pH");
    f.SSWell->setText(1, 1, "MW-1");
    ui.file(pf.file("riverside"), "Save Project As...");
    f.btnOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(m.ProjectFile, pf.file("riverside.qlp"));
    EXPECT_EQ(m.DatabaseFile, pf.file("riverside.mdb"));
    EXPECT_TRUE(QFile::exists(pf.file("riverside.qlp")));
    EXPECT_TRUE(QFile::exists(pf.file("riverside.mdb")));
    EXPECT_FALSE(QFile::exists(pf.file("riverside")));
    EXPECT_FALSE(QFile::exists(pf.file("river.mdb")));
    forms::unload<frmProjInfo>();

    // The parameter set the same way.
    m.NewProjectMode = 0;
    frmProjInfo& g = forms::form<frmProjInfo>();
    ui.file(pf.file("five"), "Save Parameter Set File As");
    g.mnuSaveSet->trigger();
    EXPECT_EQ(qtext::ReadLines(pf.file("five.par")).value(0), "1");
}

TEST_F(SaveDialogs, ExportTakesTheExtensionOfTheChosenTypeAndClearAsksWithNoTheDefault) {
    forms::setModalHook([](QDialog& d) {
        ADD_FAILURE() << "unexpected window " << qPrintable(d.objectName());
        d.reject();
    });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    w.Timer1->stop();
    w.show();
    qdate::SetDayFirst(0); // start-up took the order of the system
    ScriptedUi ui;
    ui.file(makeSite(pf.path()), "Open");
    w.mnuOpenProject->trigger();
    ASSERT_EQ(modgw().ProjectFile, pf.file("site.qlp"));

    for (int type = 0; type < 3; ++type) {
        ui.file(pf.file("all"), "Export Data", type);
        w.mnuExport->trigger();
    }
    EXPECT_EQ(qtext::ReadLines(pf.file("all.txt")).value(0), "MW-1\t11/20/1998\t\t6.6\t14\t3\t2.4\t97.9");
    EXPECT_EQ(qtext::ReadLines(pf.file("all.csv")).value(0), "MW-1,11/20/1998,,6.6,14,3,2.4,97.9");
    EXPECT_EQ(qtext::ReadLines(pf.file("all.ldl")).mid(0, 4), QStringList({"MW-1", "11/20/1998", "", "6.6"}));
    EXPECT_FALSE(QFile::exists(pf.file("all")));

    const QByteArray bytes = readRaw(pf.file("site.mdb"));
    ui.answer(vb::No, "Do you wish to continue?");
    w.mnuClearDatabase->trigger();
    EXPECT_EQ(ui.defaults.last(), vb::No);
    EXPECT_EQ(readRaw(pf.file("site.mdb")), bytes);
}
