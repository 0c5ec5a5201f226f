#include "ui/GeneralPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rollpath {

namespace {

constexpr int kBezierField = 1065;
constexpr int kUndoLevelsField = 1110;

QLineEdit* FolderField(QWidget* parent, int control, const std::string& text) {
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(QString::number(control));
    field->setMaxLength(static_cast<int>(kMaxFolderText));
    return field;
}

QPushButton* BrowseButton(QWidget* parent, int control) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(QString::number(control));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
    return button;
}

QCheckBox* CheckBox(QWidget* parent, int control, const char* text, bool checked) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::number(control));
    box->setChecked(checked);
    return box;
}

}  // namespace

CGeneralPage::CGeneralPage(const Settings& settings, QWidget* parent)
    : CFieldPage(model_, parent), model_(settings) {
    setObjectName(QStringLiteral("147"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildSensitivities());
    top->addWidget(BuildRotation());
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    AddField(grid, 0, kBezierField, GeneralPageModel::Fields()[3].label, false);
    AddField(grid, 3, kUndoLevelsField, GeneralPageModel::Fields()[4].label, false);
    flyPath_ = FolderField(this, kFlyPathField, model_.flyDir);
    flyBrowse_ = BrowseButton(this, kFlyPathBrowse);
    output_ = FolderField(this, kOutputField, model_.outputDir);
    outputBrowse_ = BrowseButton(this, kOutputBrowse);
    auto* flyLabel = new QLabel(QStringLiteral("&Fly! Path"), this);
    flyLabel->setBuddy(flyPath_);
    auto* outputLabel = new QLabel(QStringLiteral("&Output"), this);
    outputLabel->setBuddy(output_);
    grid->addWidget(flyLabel, 1, 0);
    grid->addWidget(flyPath_, 1, 1, 1, 2);
    grid->addWidget(flyBrowse_, 1, 3);
    grid->addWidget(outputLabel, 2, 0);
    grid->addWidget(output_, 2, 1, 1, 2);
    grid->addWidget(outputBrowse_, 2, 3);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);

    preciseClipping_ = CheckBox(this, kPreciseClippingBox, "Precise &Clipping", model_.preciseClipping);
    podFilesFirst_ = CheckBox(this, kPodFilesFirstBox, "S&earch POD Files First", model_.podFilesFirst);
    layout->addWidget(preciseClipping_);
    layout->addWidget(podFilesFirst_);
    layout->addStretch(1);

    connect(flyBrowse_, &QPushButton::clicked, this, [this] { Browse(flyPath_, kFlyPathBrowseTitle); });
    connect(outputBrowse_, &QPushButton::clicked, this, [this] { Browse(output_, kOutputBrowseTitle); });
}

QWidget* CGeneralPage::BuildSensitivities() {
    // The group's caption is spelled as it always has been.
    auto* group = new QGroupBox(QStringLiteral("Sensitivities"), this);
    auto* grid = new QGridLayout(group);
    const auto fields = GeneralPageModel::Fields();
    for (int row = 0; row < 3; ++row) {
        const IntegerField& f = fields[static_cast<std::size_t>(row)];
        AddField(grid, row, f.control, f.label, true);
    }
    return group;
}

QWidget* CGeneralPage::BuildRotation() {
    auto* group = new QGroupBox(QStringLiteral("Rotation Increment"), this);
    auto* column = new QVBoxLayout(group);
    const QString texts[kRotationChoices] = {QString::fromUtf8(".25\u00b0"), QString::fromUtf8(".50\u00b0"),
                                             QString::fromUtf8("1.0\u00b0")};
    const std::optional<int> checked = model_.CheckedRotationRadio();
    for (int i = 0; i < kRotationChoices; ++i) {
        auto* radio = new QRadioButton(texts[i], group);
        const int control = kRotationRadioFirst + i;
        radio->setObjectName(QString::number(control));
        radio->setChecked(checked == control);
        rotationGroup_.addButton(radio, control);
        column->addWidget(radio);
        rotation_[static_cast<std::size_t>(i)] = radio;
    }
    column->addStretch(1);
    return group;
}

void CGeneralPage::Browse(QLineEdit* field, const char* title) {
    if (const auto chosen = browser_(this, QString::fromUtf8(title), field->text())) {
        field->setText(QString::fromStdString(*chosen));
    }
}

std::optional<FieldError> CGeneralPage::Validate() {
    std::optional<FieldError> error = CFieldPage::Validate();
    if (error) {
        return error;
    }
    if (const int checked = rotationGroup_.checkedId(); checked != -1) {
        model_.CheckRotationRadio(checked);
    }
    model_.flyDir = flyPath_->text().toStdString();
    model_.outputDir = output_->text().toStdString();
    model_.preciseClipping = preciseClipping_->isChecked();
    model_.podFilesFirst = podFilesFirst_->isChecked();
    return std::nullopt;
}

}  // namespace rollpath
