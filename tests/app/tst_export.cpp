// File > Export picture... and File > Export data...: every kind that draws
// saves its picture, the damped oscillator's data match its model, the menu
// items follow the pane, and a file that cannot be written is reported.
#include "AppTestSupport.h"
#include "app/ExportActions.h"
#include "app/PictureExportDialog.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"
#include "core/SimulationKind.h"
#include "scene3d/SceneViewer.h"
#include "sim/framework/Dialogs.h"
#include "sim/mechanics/DampedOscillatorWindow.h"
#include "sim/optics/MultipleSlitsWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

class TestExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyDrawingKindSavesAPicture_data();
    void everyDrawingKindSavesAPicture();
    void threeDViewAtAChosenSizeShowsTheSameView();
    void nothingToSaveDisablesTheItems_data();
    void nothingToSaveDisablesTheItems();
    void oscillatorDataMatchTheModel();
    void pictureDialogChoosesFormatAndSize();
    void svgOfAChartWindowParses();
    void writeFailureIsReported();

private:
    // A main window showing `kind`, laid out and drawn.
    std::unique_ptr<MainWindow> showKind(int kind);

    std::unique_ptr<ScopedSettings> m_settings;
    std::unique_ptr<ScopedDialogAnswers> m_answers;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestExport::init()
{
    m_settings = std::make_unique<ScopedSettings>();
    m_answers = std::make_unique<ScopedDialogAnswers>(true);
    m_dir = std::make_unique<QTemporaryDir>();
    animationSpeeds() = defaultAnimationSpeeds();
}

void TestExport::cleanup()
{
    Dialogs::setModalHandler({});
    m_dir.reset();
    m_answers.reset();
    m_settings.reset();
}

std::unique_ptr<MainWindow> TestExport::showKind(int kind)
{
    auto w = std::make_unique<MainWindow>(fixedScreen());
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    w->host()->showSimulation(kind);
    QCoreApplication::processEvents();
    if (SceneViewer *viewer = w->view3D()->viewer()) {
        if (viewer->isVisible() && !QTest::qWaitFor([viewer] { return viewer->framesDrawn() > 0; }))
            return nullptr;
    }
    return w;
}

void TestExport::everyDrawingKindSavesAPicture_data()
{
    QTest::addColumn<int>("kind");
    for (int k = 1; k <= 17; ++k) {
        if (k != HydrogenSpectrumKind && k != LiquidCrystalKind)
            QTest::newRow(qPrintable(QString::number(k))) << k;
    }
}

void TestExport::everyDrawingKindSavesAPicture()
{
    QFETCH(int, kind);
    auto w = showKind(kind);
    QVERIFY(w);
    ExportActions *exports = w->exportActions();
    exports->updateActions();
    QVERIFY(exports->exportPictureAction()->isEnabled());
    QCOMPARE(exports->exportDataAction()->isEnabled(),
             kind == DampedOscillatorKind || kind == ResonanceKind || kind == MultipleSlitsKind);

    const QSize shown = exports->shownPictureSize();
    QVERIFY(!shown.isEmpty());
    const QString path = m_dir->filePath(QStringLiteral("kind%1.png").arg(kind));
    QVERIFY(exports->exportPicture(path, shown));
    QVERIFY2(m_answers->shown().isEmpty(), qPrintable(m_answers->shown().join(QLatin1Char('\n'))));
    const QImage image(path, "png");
    QCOMPARE(image.size(), shown);
    // Something is drawn: far from one flat colour.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    }
    QVERIFY2(colours.size() > 3, qPrintable(QString::number(colours.size())));

    // A chosen size is the size saved.
    const QSize chosen(shown.width() / 2 + 7, shown.height() + 13);
    QVERIFY(exports->exportPicture(path, chosen));
    QCOMPARE(QImage(path, "png").size(), chosen);
}

void TestExport::threeDViewAtAChosenSizeShowsTheSameView()
{
    auto w = showKind(EmWaveKind);
    QVERIFY(w);
    ExportActions *exports = w->exportActions();
    const QSize shown = exports->shownPictureSize();
    const QString small = m_dir->filePath(QStringLiteral("shown.png"));
    const QString large = m_dir->filePath(QStringLiteral("large.png"));
    QVERIFY(exports->exportPicture(small, shown));
    QVERIFY(exports->exportPicture(large, shown * 2));
    const QImage a = QImage(small, "png").convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(large, "png")
                         .scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(b.size(), a.size());
    // The larger frame is drawn again, not blown up, but frames the scene
    // as the view does: few pixels differ much.
    int differing = 0, drawn = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p != 0xFFFFFFFF)
                ++drawn;
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 150)
                ++differing;
        }
    }
    QVERIFY(drawn > a.width() * a.height() / 50);
    QVERIFY2(differing < drawn / 10, qPrintable(QStringLiteral("%1 of %2").arg(differing).arg(drawn)));
}

void TestExport::nothingToSaveDisablesTheItems_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("start picture") << int(NoKind);
    QTest::newRow("hydrogen spectrum movie") << int(HydrogenSpectrumKind);
    QTest::newRow("liquid crystal movie") << int(LiquidCrystalKind);
}

void TestExport::nothingToSaveDisablesTheItems()
{
    QFETCH(int, kind);
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // From a kind that has both, as a page link would.
    w.host()->showSimulation(DampedOscillatorKind);
    QCoreApplication::processEvents();
    QVERIFY(w.exportActions()->exportDataAction()->isEnabled());
    if (kind != NoKind) {
        w.host()->showSimulation(kind);
        QCoreApplication::processEvents();
    } else {
        w.host()->releaseWindows();
        w.exportActions()->updateActions();
    }
    QVERIFY(!w.exportActions()->exportPictureAction()->isEnabled());
    QVERIFY(!w.exportActions()->exportDataAction()->isEnabled());
    // Asked anyway, nothing is written and the user is told.
    const QString path = m_dir->filePath(QStringLiteral("none.csv"));
    QVERIFY(!w.exportActions()->exportData(path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(m_answers->shown().size(), 1);
}

void TestExport::oscillatorDataMatchTheModel()
{
    auto w = showKind(DampedOscillatorKind);
    QVERIFY(w);
    auto *sim = qobject_cast<DampedOscillatorWindow *>(w->host()->activeWindow());
    QVERIFY(sim);
    // A time axis other than the first, so the times are not the defaults.
    sim->setTimeAxis(15.0f);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Through the menu item and its file dialog.
    const QString path = m_dir->filePath(QStringLiteral("oscillator.csv"));
    Dialogs::setModalHandler([&path](QDialog &d) {
        auto *files = qobject_cast<QFileDialog *>(&d);
        if (!files)
            return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    });
    w->exportActions()->exportDataAction()->trigger();
    QLocale::setDefault(before);
    QVERIFY(m_answers->shown().isEmpty());

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 501);
    QCOMPARE(lines.first(), QStringLiteral("time (s),displacement (units)"));
    const DisplacementCurve &curve = sim->model().curve();
    for (int i = 0; i < 501; ++i) {
        const QStringList cells = lines[1 + i].split(QLatin1Char(','));
        QCOMPARE(cells.size(), 2);
        bool okT = false, okX = false;
        const double t = cells[0].toDouble(&okT);
        const double x = cells[1].toDouble(&okX);
        QVERIFY2(okT && okX, qPrintable(lines[1 + i]));
        QCOMPARE(t, curve.time[size_t(i)]);
        QCOMPARE(x, double(curve.x[size_t(i)]));
    }
    QCOMPARE(curve.time[500], 15.0);
}

void TestExport::pictureDialogChoosesFormatAndSize()
{
    auto w = showKind(DoubleSlitKind);
    QVERIFY(w);
    const QSize shown = w->exportActions()->shownPictureSize();
    const QString typed = m_dir->filePath(QStringLiteral("fringes"));
    QSize offered;
    Dialogs::setModalHandler([&](QDialog &d) {
        auto *dialog = qobject_cast<PictureExportDialog *>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        offered = dialog->pictureSize();
        dialog->pathEdit()->setText(typed);
        // Keeping proportions, a new width brings its height.
        dialog->widthBox()->setValue(shown.width() * 2);
        if (dialog->heightBox()->value() != shown.height() * 2)
            return int(QDialog::Rejected);
        dialog->keepProportionsBox()->setChecked(false);
        dialog->heightBox()->setValue(100);
        return int(QDialog::Accepted);
    });
    w->exportActions()->exportPictureAction()->trigger();
    QCOMPARE(offered, shown);
    // No suffix typed: the format's is added.
    const QImage image(typed + QStringLiteral(".png"), "png");
    QCOMPARE(image.size(), QSize(shown.width() * 2, 100));

    // The format box puts its suffix in place of the other one.
    PictureExportDialog dialog(QSize(40, 30), m_dir->filePath(QStringLiteral("a.png")));
    QCOMPARE(dialog.formatBox()->currentIndex(), 0);
    dialog.formatBox()->setCurrentIndex(1);
    QCOMPARE(dialog.filePath(), m_dir->filePath(QStringLiteral("a.svg")));
    dialog.pathEdit()->setText(m_dir->filePath(QStringLiteral("b.jpg")));
    QCOMPARE(dialog.filePath(), m_dir->filePath(QStringLiteral("b.jpg.svg")));
    dialog.pathEdit()->setText(m_dir->filePath(QStringLiteral("c.PNG")));
    QCOMPARE(dialog.formatBox()->currentIndex(), 0);
    QCOMPARE(dialog.filePath(), m_dir->filePath(QStringLiteral("c.PNG")));
}

void TestExport::svgOfAChartWindowParses()
{
    auto w = showKind(MultipleSlitsKind);
    QVERIFY(w);
    const QString path = m_dir->filePath(QStringLiteral("slits.svg"));
    const QSize size(900, 600);
    QVERIFY(w->exportActions()->exportPicture(path, size));
    QSvgRenderer svg(path);
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox().size(), size);
    // The chart is a drawing, not a bitmap: its axis title is text.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(text.contains("Intensity"));
}

void TestExport::writeFailureIsReported()
{
    auto w = showKind(DampedOscillatorKind);
    QVERIFY(w);
    const QString missing = m_dir->filePath(QStringLiteral("no such folder/picture.png"));
    QVERIFY(!w->exportActions()->exportPicture(missing, QSize(100, 100)));
    QCOMPARE(m_answers->shown().size(), 1);
    QVERIFY(m_answers->shown().first().startsWith(QStringLiteral("Unable to save file ")));
    QVERIFY(m_answers->shown().first().contains(QDir::toNativeSeparators(missing)));

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("taken.csv")));
    QVERIFY(!w->exportActions()->exportData(m_dir->filePath(QStringLiteral("taken.csv"))));
    QCOMPARE(m_answers->shown().size(), 2);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
