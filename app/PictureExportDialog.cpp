#include "app/PictureExportDialog.h"

#include "sim/framework/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

const char *const kSuffixes[] = {"png", "svg"};

QSpinBox *sideBox(QWidget *parent, const QString &name)
{
    auto *box = new QSpinBox(parent);
    box->setRange(1, PictureExportDialog::maximumSide);
    box->setSuffix(QStringLiteral(" px"));
    box->setAccessibleName(name);
    box->setAccessibleDescription(QStringLiteral("%1 of the saved picture in pixels").arg(name));
    return box;
}

} // namespace

PictureExportDialog::PictureExportDialog(const QSize &shownSize, const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_shown(shownSize.expandedTo(QSize(1, 1)))
{
    setWindowTitle(QStringLiteral("Export picture"));
    setObjectName(QStringLiteral("pictureExportDialog"));

    m_path = new QLineEdit(path, this);
    m_path->setAccessibleName(QStringLiteral("File"));
    m_path->setAccessibleDescription(QStringLiteral("The file the picture is saved in"));
    m_path->setMinimumWidth(320);
    m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
    m_browse->setAccessibleName(QStringLiteral("Browse"));
    m_browse->setAutoDefault(false);
    m_browse->setAccessibleDescription(QStringLiteral("Choose the file in a file dialog"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(m_browse);

    m_format = new QComboBox(this);
    m_format->addItem(QStringLiteral("PNG picture"));
    m_format->addItem(QStringLiteral("SVG drawing"));
    m_format->setAccessibleName(QStringLiteral("Format"));
    m_format->setAccessibleDescription(QStringLiteral("PNG picture or SVG drawing"));
    m_format->setCurrentIndex(QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0);

    m_width = sideBox(this, QStringLiteral("Width"));
    m_height = sideBox(this, QStringLiteral("Height"));
    m_width->setValue(m_shown.width());
    m_height->setValue(m_shown.height());
    m_keepProportions = new QCheckBox(QStringLiteral("&Keep proportions"), this);
    m_keepProportions->setChecked(true);
    m_keepProportions->setAccessibleName(QStringLiteral("Keep proportions"));
    m_keepProportions->setAccessibleDescription(QStringLiteral("Changing the width changes the height with it"));
    m_shownSizeButton = new QPushButton(QStringLiteral("&Size shown (%1 x %2)").arg(m_shown.width()).arg(m_shown.height()), this);
    m_shownSizeButton->setAutoDefault(false);
    m_shownSizeButton->setAccessibleName(QStringLiteral("Size shown"));
    m_shownSizeButton->setAccessibleDescription(QStringLiteral("Back to the size of the picture on the screen"));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_width);
    sizeRow->addWidget(new QLabel(QStringLiteral("x"), this));
    sizeRow->addWidget(m_height);
    sizeRow->addWidget(m_keepProportions);
    sizeRow->addStretch(1);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Save)->setAccessibleName(QStringLiteral("Save"));
    // Enter saves from any field.
    m_buttons->button(QDialogButtonBox::Save)->setDefault(true);
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));

    auto *form = new QFormLayout(this);
    auto *fileLabel = new QLabel(QStringLiteral("&File:"), this);
    fileLabel->setBuddy(m_path);
    form->addRow(fileLabel, fileRow);
    auto *formatLabel = new QLabel(QStringLiteral("F&ormat:"), this);
    formatLabel->setBuddy(m_format);
    form->addRow(formatLabel, m_format);
    auto *sizeLabel = new QLabel(QStringLiteral("Si&ze:"), this);
    sizeLabel->setBuddy(m_width);
    form->addRow(sizeLabel, sizeRow);
    form->addRow(QString(), m_shownSizeButton);
    form->addRow(m_buttons);

    connect(m_browse, &QPushButton::clicked, this, &PictureExportDialog::browse);
    connect(m_shownSizeButton, &QPushButton::clicked, this, &PictureExportDialog::useShownSize);
    connect(m_width, &QSpinBox::valueChanged, this, [this] { sideChanged(true); });
    connect(m_height, &QSpinBox::valueChanged, this, [this] { sideChanged(false); });
    connect(m_path, &QLineEdit::textChanged, this, &PictureExportDialog::pathEdited);
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_path->text().trimmed().isEmpty())
            m_path->setText(filePath());
    });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pathEdited(m_path->text());
}

QString PictureExportDialog::filePath() const
{
    const QString path = m_path->text().trimmed();
    if (path.isEmpty())
        return path;
    const QString wanted = QLatin1String(kSuffixes[m_format->currentIndex() == 1]);
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == wanted)
        return path;
    if (suffix == QLatin1String("png") || suffix == QLatin1String("svg"))
        return path.left(path.size() - suffix.size()) + wanted;
    return path + QLatin1Char('.') + wanted;
}

QSize PictureExportDialog::pictureSize() const
{
    return QSize(m_width->value(), m_height->value());
}

void PictureExportDialog::browse()
{
    QFileDialog dialog(this, QStringLiteral("Export picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters{QStringLiteral("PNG picture (*.png)"), QStringLiteral("SVG drawing (*.svg)")};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[m_format->currentIndex()]);
    dialog.setDefaultSuffix(QLatin1String(kSuffixes[m_format->currentIndex() == 1]));
    if (!filePath().isEmpty())
        dialog.selectFile(filePath());
    if (Dialogs::runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_path->setText(dialog.selectedFiles().constFirst());
}

void PictureExportDialog::useShownSize()
{
    m_adjusting = true;
    m_width->setValue(m_shown.width());
    m_height->setValue(m_shown.height());
    m_adjusting = false;
}

void PictureExportDialog::sideChanged(bool widthMoved)
{
    if (m_adjusting || !m_keepProportions->isChecked())
        return;
    m_adjusting = true;
    if (widthMoved)
        m_height->setValue(std::max(1, qRound(double(m_width->value()) * m_shown.height() / m_shown.width())));
    else
        m_width->setValue(std::max(1, qRound(double(m_height->value()) * m_shown.width() / m_shown.height())));
    m_adjusting = false;
}

void PictureExportDialog::pathEdited(const QString &text)
{
    // A typed or chosen ".svg" or ".png" picks the format.
    const QString suffix = QFileInfo(text.trimmed()).suffix().toLower();
    if (suffix == QLatin1String("png"))
        m_format->setCurrentIndex(0);
    else if (suffix == QLatin1String("svg"))
        m_format->setCurrentIndex(1);
    m_buttons->button(QDialogButtonBox::Save)->setEnabled(!text.trimmed().isEmpty());
}
