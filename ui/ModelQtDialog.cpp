#include "ui/ModelQtDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QVBoxLayout>

#include "ui/AnsiQt.h"
#include "ui/SpinButton.h"

namespace rollpath {

namespace {

// A dialog unit across is a quarter of the font's average character width.
constexpr double kDialogUnitsPerCharacter = 4.0;

// List lines with tab stops given in dialog units, as a list box with tab
// stops shows them.
class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(std::vector<int> stops, QObject* parent)
        : QStyledItemDelegate(parent), stops_(std::move(stops)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget != nullptr ? widget->style() : nullptr;
        if (style != nullptr) {
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        }
        const double unit = opt.fontMetrics.averageCharWidth() / kDialogUnitsPerCharacter;
        QList<QTextOption::Tab> tabs;
        for (const int stop : stops_) {
            tabs.append(QTextOption::Tab(stop * unit, QTextOption::LeftTab));
        }
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setTabs(tabs);
        textOption.setWrapMode(QTextOption::NoWrap);
        painter->save();
        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect = opt.rect.adjusted(3, 0, -3, 0);
        painter->drawText(QRectF(textRect), text, textOption);
        painter->restore();
    }

private:
    std::vector<int> stops_;
};

QStringList ItemsOf(const DialogControl& control) {
    QStringList items;
    for (const std::string& item : control.items) {
        items.append(FromAnsi(item));
    }
    return items;
}

}  // namespace

ModelQtDialog::ModelQtDialog(DialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(FromAnsi(model_.Title()));
    Build();
    Refresh();
    model_.SetListener([this] { Refresh(); });
}

ModelQtDialog::~ModelQtDialog() {
    Detach();
}

void ModelQtDialog::Detach() {
    if (attached_) {
        attached_ = false;
        model_.SetListener(nullptr);
    }
}

QWidget* ModelQtDialog::ControlWidget(int id) const {
    const auto it = widgets_.find(id);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* ModelQtDialog::LabelOf(int id) const {
    const auto it = labels_.find(id);
    return it == labels_.end() ? nullptr : it->second;
}

QWidget* ModelQtDialog::MakeWidget(const DialogControl& control) {
    const int id = control.id;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Static:
            widget = new QLabel(FromAnsi(control.text), this);
            break;
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                if (attached_ && !refreshing_) {
                    model_.TypeText(id, ToAnsi(text));
                }
            });
            widget = edit;
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            QAbstractButton* button = nullptr;
            if (control.kind == ControlKind::CheckBox) {
                button = new QCheckBox(FromAnsi(control.label), this);
            } else {
                auto* radio = new QRadioButton(FromAnsi(control.label), this);
                // The model keeps its group to one checked button.
                radio->setAutoExclusive(false);
                button = radio;
            }
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (attached_ && !refreshing_) {
                    model_.Click(id);
                }
            });
            widget = button;
            break;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget(this);
            if (!control.tabStops.empty()) {
                list->setItemDelegate(new TabStopDelegate(control.tabStops, list));
            }
            connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
                if (attached_ && !refreshing_) {
                    model_.SelectItem(id, row);
                }
            });
            widget = list;
            break;
        }
        case ControlKind::SpinButton: {
            auto* spin = new SpinButton(this);
            if (auto* field = qobject_cast<QLineEdit*>(ControlWidget(control.buddy))) {
                spin->AttachTo(field);
            }
            connect(spin, &SpinButton::Stepped, this, [this, id](int delta) {
                if (attached_) {
                    model_.Spin(id, delta);
                }
            });
            widget = spin;
            break;
        }
    }
    widget->setObjectName(QString::number(id));
    widgets_[id] = widget;
    return widget;
}

// A row: the control, its spin buttons, its unit, then what else shares the row.
void ModelQtDialog::AddRow(QFormLayout* form, const DialogControl& control, QHBoxLayout* row) {
    QWidget* main = ControlWidget(control.id);
    const bool labelled =
        (control.kind == ControlKind::Edit || control.kind == ControlKind::ListBox) && !control.label.empty();
    if (labelled) {
        auto* label = new QLabel(FromAnsi(control.label), this);
        label->setBuddy(main);
        labels_[control.id] = label;
        form->addRow(label, row);
    } else {
        form->addRow(row);
    }
}

void ModelQtDialog::Build() {
    auto* outer = new QVBoxLayout(this);
    const std::vector<DialogControl>& controls = model_.Controls();
    QFormLayout* form = nullptr;
    std::string group;
    for (std::size_t i = 0; i < controls.size();) {
        const DialogControl& first = controls[i];
        if (form == nullptr || first.group != group) {
            group = first.group;
            form = new QFormLayout;
            if (group.empty()) {
                outer->addLayout(form);
            } else {
                auto* box = new QGroupBox(FromAnsi(group), this);
                box->setLayout(form);
                outer->addWidget(box);
            }
        }
        std::size_t end = i + 1;
        while (end < controls.size() && controls[end].sameRow) {
            ++end;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(MakeWidget(first));
        for (std::size_t k = i + 1; k < end; ++k) {
            if (controls[k].kind == ControlKind::SpinButton) {
                row->addWidget(MakeWidget(controls[k]));
            }
        }
        if (!first.suffix.empty()) {
            row->addWidget(new QLabel(FromAnsi(first.suffix), this));
        }
        for (std::size_t k = i + 1; k < end; ++k) {
            if (controls[k].kind != ControlKind::SpinButton) {
                row->addWidget(MakeWidget(controls[k]));
            }
        }
        if (first.kind != ControlKind::ListBox && first.kind != ControlKind::Edit) {
            row->addStretch();
        }
        AddRow(form, first, row);
        i = end;
    }
    const auto buttons = model_.Buttons() == DialogButtons::Ok
                             ? QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok)
                             : QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    auto* box = new QDialogButtonBox(buttons, this);
    connect(box, &QDialogButtonBox::accepted, this, &ModelQtDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &ModelQtDialog::reject);
    outer->addWidget(box);
}

void ModelQtDialog::Refresh() {
    if (!attached_) {
        return;
    }
    refreshing_ = true;
    for (const DialogControl& c : model_.Controls()) {
        QWidget* widget = ControlWidget(c.id);
        if (widget == nullptr) {
            continue;
        }
        widget->setEnabled(c.enabled);
        if (QWidget* label = LabelOf(c.id)) {
            label->setEnabled(c.enabled);
        }
        switch (c.kind) {
            case ControlKind::Static:
                static_cast<QLabel*>(widget)->setText(FromAnsi(c.text));
                break;
            case ControlKind::Edit: {
                auto* edit = static_cast<QLineEdit*>(widget);
                const QString text = FromAnsi(c.text);
                // Left alone while equal, so the cursor stays where the user types.
                if (edit->text() != text) {
                    edit->setText(text);
                }
                edit->setReadOnly(c.readOnly);
                break;
            }
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                static_cast<QAbstractButton*>(widget)->setChecked(c.checked);
                break;
            case ControlKind::ListBox: {
                auto* list = static_cast<QListWidget*>(widget);
                const QStringList items = ItemsOf(c);
                QStringList shown;
                for (int k = 0; k < list->count(); ++k) {
                    shown.append(list->item(k)->text());
                }
                if (shown != items) {
                    list->clear();
                    list->addItems(items);
                }
                list->setCurrentRow(c.selected);
                break;
            }
            case ControlKind::SpinButton:
                break;
        }
    }
    refreshing_ = false;
}

void ModelQtDialog::accept() {
    if (attached_ && !model_.Ok()) {
        // The standard refusal: the message, then the field selected again.
        if (const std::optional<FieldRefusal>& refusal = model_.Refusal()) {
            QMessageBox::warning(this, QStringLiteral("Rollpath"), FromAnsi(refusal->message));
            if (auto* field = qobject_cast<QLineEdit*>(ControlWidget(refusal->control))) {
                field->setFocus();
                field->selectAll();
            }
        }
        return;
    }
    QDialog::accept();
}

void ModelQtDialog::reject() {
    if (attached_) {
        model_.Cancel();
    }
    QDialog::reject();
}

}  // namespace rollpath
