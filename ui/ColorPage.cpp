#include "ui/ColorPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtcanvas/QtCanvas.h"
#include "ui/ColorChooserDialog.h"

namespace rollpath {

namespace {

// The swatches of each group, by index.
struct Group {
    const char* title;
    std::size_t first;
    std::size_t count;
};

constexpr Group kGroups[] = {{"Runway Colors", 0, 4}, {"Rollpath Color", 4, 1}, {"Polygon Color", 5, 1}};

}  // namespace

CColorSwatch::CColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMinimumSize(48, 18);
}

void CColorSwatch::SetColor(ColorRef color) {
    color_ = color;
    update();
}

void CColorSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), QtCanvas::ToQColor(color_));
    }
    QFrame::paintEvent(event);
}

CColorPage::CColorPage(Settings& settings, QWidget* parent)
    : QWidget(parent),
      model_(settings, settings.CustomColors),
      chooser_(std::make_unique<QtColorChooser>(this)) {
    setObjectName(QStringLiteral("106"));
    auto* layout = new QVBoxLayout(this);
    const auto table = ColorPageModel::Swatches();
    for (const Group& g : kGroups) {
        auto* group = new QGroupBox(QString::fromUtf8(g.title), this);
        auto* grid = new QGridLayout(group);
        for (std::size_t i = g.first; i < g.first + g.count; ++i) {
            const ColorSwatch& s = table[i];
            auto* swatch = new CColorSwatch(group);
            swatch->setObjectName(QString::number(s.swatch));
            swatch->SetColor(model_.Color(i));
            auto* button = new QPushButton(QStringLiteral("..."), group);
            button->setObjectName(QString::number(s.button));
            button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
            const int row = static_cast<int>(i - g.first);
            grid->addWidget(
                new QLabel(QString::fromUtf8(s.label.data(), static_cast<qsizetype>(s.label.size())), group),
                row, 0);
            grid->addWidget(swatch, row, 1);
            grid->addWidget(button, row, 2);
            swatches_[i] = swatch;
            buttons_[i] = button;
            connect(button, &QPushButton::clicked, this, [this, i] { Choose(i); });
        }
        grid->setColumnStretch(1, 1);
        layout->addWidget(group);
    }
    layout->addStretch(1);
}

CColorPage::~CColorPage() = default;

void CColorPage::SetColorChooser(std::unique_ptr<ColorChooser> chooser) {
    chooser_ = std::move(chooser);
}

void CColorPage::Choose(std::size_t index) {
    if (model_.Choose(index, *chooser_)) {
        swatches_[index]->SetColor(model_.Color(index));
    }
}

}  // namespace rollpath
