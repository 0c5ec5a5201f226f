#include "ui/RollpathPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace rollpath {

namespace {

// The fields of each group, top to bottom.
struct Group {
    const char* title;
    int controls[3];
};

constexpr Group kGroups[] = {
    {"Marking", {1061, 1062, 1067}},
    {"Runway Exit", {1080, 1076, 1078}},
    {"Lighting", {1072, 1074, 0}},
};

std::string_view LabelOf(int control) {
    for (const IntegerField& f : RollpathPageModel::IntegerFieldTable()) {
        if (f.control == control) {
            return f.label;
        }
    }
    for (const DecimalField& f : RollpathPageModel::DecimalFieldTable()) {
        if (f.control == control) {
            return f.label;
        }
    }
    return {};
}

}  // namespace

CRollpathPage::CRollpathPage(const Settings& settings, QWidget* parent)
    : CFieldPage(model_, parent), model_(settings) {
    setObjectName(QStringLiteral("148"));
    auto* layout = new QVBoxLayout(this);
    for (const Group& g : kGroups) {
        auto* group = new QGroupBox(QString::fromUtf8(g.title), this);
        auto* grid = new QGridLayout(group);
        int row = 0;
        for (const int control : g.controls) {
            if (control != 0) {
                AddField(grid, row++, control, LabelOf(control), true);
            }
        }
        grid->setColumnStretch(1, 1);
        layout->addWidget(group);
    }
    layout->addStretch(1);
}

}  // namespace rollpath
