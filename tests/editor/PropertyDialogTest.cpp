#include "EditorFixtures.h"
#include "common/CallbackGuard.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "editor/EditState.h"
#include "editor/FileTypeRegistry.h"
#include "editor/ChartCanvas.h"
#include "editor/DocumentPropertiesDialog.h"
#include "editor/ItemPropertiesDialog.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace qvx;
using namespace editortest;

namespace {
QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

class PropertyDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void itemProperty_tooSmallWidthWarnsAndRestores() {
        Chart chart;
        qvxtest::RecordingServices services;
        item(chart, KindPos, 0, 0);
        chart.items[0].selected = true;
        ItemPropertiesDialog dlg(chart, services);
        QVERIFY(dlg.LoadItem(0));
        QCOMPARE(dlg.windowTitle(), QString("POS1"));
        dlg.open();
        dlg.WidthEdit->setText("15");
        QTest::mouseClick(dlg.Button1, Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(services.lastBoxText(), QString("Make Width over 20s"));
        QCOMPARE(services.boxes.back().icon, int(MsgIcon::Warning));
        QCOMPARE(dlg.WidthEdit->text(), QString("50"));
        dlg.HeightEdit->setText("tall");
        QTest::mouseClick(dlg.Button1, Qt::LeftButton);
        QCOMPARE(services.lastBoxText(), QString("Make Height over 20s"));
        QCOMPARE(dlg.HeightEdit->text(), QString("30"));
        QCOMPARE(chart.items[0].width, 50);

        dlg.NameEdit->setText("Wave");
        dlg.HeightEdit->setText(" 40 ");
        QTest::mouseClick(dlg.Button1, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.ApplyResult(dlg.result()));
        QCOMPARE(chart.items[0].name, QString("Wave"));
        QCOMPARE(chart.items[0].height, 40);
        QVERIFY(!chart.items[0].selected);
    }

    void itemProperty_autoGivesASizeTakenAndShownWhole_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("POS1") << "POS1" << 12;
        QTest::newRow("one letter") << "A" << 12;
        QTest::newRow("overhangs") << "jiffy" << 12;
        QTest::newRow("wide letter") << "W" << 17;
        QTest::newRow("long") << "A rather long item name" << 12;
        QTest::newRow("japanese") << QString::fromUtf8("歩行") << 12;
        QTest::newRow("japanese odd") << QString::fromUtf8("右足を上げる") << 15;
        QTest::newRow("large font") << "x" << 25;
        QTest::newRow("mixed") << "ffj_VAW 7" << 13;
    }

    // "Auto" gives a size that "Revision" takes, and the canvas, in its own
    // font, draws the name in it exactly as in a much larger item: nothing of
    // it is cut off or lies on the outline.
    void itemProperty_autoGivesASizeTakenAndShownWhole() {
        QFETCH(QString, name);
        QFETCH(int, pixelSize);
        Chart chart;
        EditState edit;
        qvxtest::RecordingServices services;
        item(chart, KindPos, 0, 0);
        ChartCanvas canvas(chart, edit);
        QFont font = canvas.font();
        font.setPixelSize(pixelSize);
        canvas.setFont(font);
        ItemPropertiesDialog dlg(chart, services);
        dlg.setCanvas(&canvas);
        QTimer::singleShot(0, &dlg, [&] {
            dlg.NameEdit->setText(name);
            dlg.Button2->click();
            dlg.Button1->click();
            if (dlg.isVisible()) dlg.reject();
        });
        QVERIFY(dlg.ShowItemProperty(0));
        QCOMPARE(services.boxes.size(), size_t(0));
        Item& it = chart.items[0];
        QCOMPARE(it.name, name);
        QVERIFY(it.width >= ItemPropertiesDialog::kMinimumSize &&
                it.height >= ItemPropertiesDialog::kMinimumSize);

        auto render = [&] {
            QImage img(canvas.size(), QImage::Format_RGB32);
            canvas.render(&img);
            return img;
        };
        it.left = it.top = 10;
        const QImage shown = render();
        it.name.clear();
        const QImage body = render();
        it.name = name;
        constexpr int kMargin = 20; // keeps the centring on the same pixel phase
        it.width += 2 * kMargin;
        it.height += 2 * kMargin;
        const QImage roomy = render();

        const QColor fill(Qt::white);
        int ink = 0;
        for (int y = it.top + 5; y < it.top + it.height - 5; ++y)
            for (int x = it.left + 5; x < it.left + it.width - 5; ++x) {
                if (roomy.pixelColor(x, y) == fill) continue;
                ++ink;
                const QPoint at(x - kMargin, y - kMargin);
                QVERIFY2(
                    body.pixelColor(at) == fill,
                    qPrintable(QString("ink at %1,%2 is not on the fill").arg(at.x()).arg(at.y())));
                QCOMPARE(shown.pixelColor(at), roomy.pixelColor(x, y));
            }
        QVERIFY(ink > 0);
        int changed = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                changed += shown.pixel(x, y) != body.pixel(x, y);
        QCOMPARE(changed, ink);
    }

    void itemProperty_closedOtherwiseOrNoItem_changesNothing() {
        Chart chart;
        qvxtest::RecordingServices services;
        item(chart, KindPos, 0, 0);
        ItemPropertiesDialog dlg(chart, services);
        QVERIFY(!dlg.ShowItemProperty(-1));
        QVERIFY(!dlg.ShowItemProperty(3));
        QTimer::singleShot(0, &dlg, [&] {
            dlg.WidthEdit->setText("99");
            dlg.reject();
        });
        QVERIFY(!dlg.ShowItemProperty(0));
        QCOMPARE(chart.items[0].width, 50);
    }

    void fileTypeRegistry_writesAndRemovesInItsDirectory() {
        QTemporaryDir dir;
        FileTypeRegistry reg(dir.path(), "/opt/my \"odd\" $dir/quorvex");
        int notified = 0;
        reg.notify = qvxtest::checked([&](const QString& d) {
            QCOMPARE(d, dir.path());
            ++notified;
        });
        QVERIFY(!reg.FileTypeRegistered());
        QVERIFY(reg.RegisterFileType(true));
        QVERIFY(reg.FileTypeRegistered());
        QVERIFY(reg.mimePackagePath().startsWith(dir.path() + "/mime/packages/"));
        QVERIFY(readAll(reg.mimePackagePath()).contains("<glob pattern=\"*.qmx\"/>"));
        QVERIFY(readAll(reg.mimePackagePath()).contains("QMXデータファイル"));
        const QString desktop = readAll(reg.desktopFilePath());
        QVERIFY2(desktop.contains("Exec=\"/opt/my \\\\\"odd\\\\\" \\\\$dir/quorvex\" %f\n"),
                 qPrintable(desktop));
        QVERIFY(desktop.contains("MimeType=application/x-quorvex-qmx;"));
        QVERIFY(QFile::exists(reg.iconPath()));
        QVERIFY(reg.RegisterFileType(false));
        QVERIFY(!reg.FileTypeRegistered());
        QVERIFY(!QFile::exists(reg.desktopFilePath()));
        QVERIFY(!QFile::exists(reg.iconPath()));
        QCOMPARE(notified, 2);
    }

    void formDlg_appliesSizeGridRegistrationAndBars() {
        QTemporaryDir dir;
        Chart chart;
        EditState edit;
        ChartCanvas canvas(chart, edit);
        FileTypeRegistry reg(dir.path(), "/usr/bin/quorvex");
        reg.notify = nullptr;
        QWidget window;
        QToolBar cmd(&window), parts(&window), comm(&window), tools(&window);
        DocumentPropertiesDialog dlg(canvas, edit, reg);
        dlg.setBars(&cmd, &parts, &comm, &tools);
        edit.toolMode = ToolBranchLink;
        edit.startLinkDrawing();
        edit.linkOrigin = 0;

        QStringList shown;
        auto record = [&] {
            shown = QStringList{dlg.FormWidth->text(), dlg.GridX->text(),
                                dlg.FileIcon->isChecked() ? "icon" : "-",
                                dlg.ViewToolMenu->isChecked() ? "tools" : "-"};
        };
        QTimer::singleShot(0, &dlg, [&] {
            record();
            dlg.FormWidth->setText("800");
            dlg.FormHeight->setText("600");
            dlg.GridX->setText("1");
            dlg.GridY->setText("x");
            dlg.FileIcon->setChecked(true);
            dlg.ViewToolMenu->setChecked(false);
            dlg.ReWriteBtn->click();
        });
        QCOMPARE(dlg.ShowDocumentProperty(), int(QDialog::Accepted));
        QCOMPARE(shown, (QStringList{"640", "10", "-", "tools"}));
        QCOMPARE(canvas.canvasSize(), QSize(800, 600));
        QCOMPARE(edit.gridWidth, 2);
        QCOMPARE(edit.gridHeight, 10);
        QVERIFY(reg.FileTypeRegistered());
        QVERIFY(tools.isHidden());
        QVERIFY(!cmd.isHidden());
        QCOMPARE(edit.toolMode, int(ToolSelect));
        QVERIFY(!edit.linkDrawing);
        QCOMPARE(edit.linkOrigin, -1);

        // Width 99: nothing at all changes, the dialog still closes.
        QTimer::singleShot(0, &dlg, [&] {
            record();
            dlg.FormWidth->setText("99");
            dlg.GridX->setText("30");
            dlg.FileIcon->setChecked(false);
            dlg.ViewToolMenu->setChecked(true);
            dlg.ReWriteBtn->click();
        });
        dlg.ShowDocumentProperty();
        QCOMPARE(shown, (QStringList{"800", "2", "icon", "-"}));
        QCOMPARE(canvas.canvasSize(), QSize(800, 600));
        QCOMPARE(edit.gridWidth, 2);
        QVERIFY(reg.FileTypeRegistered());
        QVERIFY(tools.isHidden());

        // Unticking the icon removes the registration; the box shows it next time.
        QTimer::singleShot(0, &dlg, [&] {
            dlg.FileIcon->setChecked(false);
            dlg.ReWriteBtn->click();
        });
        dlg.ShowDocumentProperty();
        QVERIFY(!reg.FileTypeRegistered());
        bool shownTicked = true;
        QTimer::singleShot(0, &dlg, [&] {
            shownTicked = dlg.FileIcon->isChecked();
            dlg.reject();
        });
        QCOMPARE(dlg.ShowDocumentProperty(), int(QDialog::Rejected));
        QVERIFY(!shownTicked);
    }
};

QVX_TEST_CLASS(PropertyDialogTest)
#include "PropertyDialogTest.moc"
