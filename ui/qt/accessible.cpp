#include "ui/qt/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#ifdef THERMAL_ATSPI
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>
#endif

namespace accessible {

namespace {

// A field, as Qt's own line edit interface gives it but for two things. Its
// text is one run of attributes: Qt reports an empty run at every offset,
// and Orca, which splits a line into runs to speak each in its language,
// then speaks the line one character short (" 1000" as "100"). And its name
// is its own: with a label's relation a screen reader says the label ("m")
// in its place. The label still names the field it is for.
class Field final : public QAccessibleWidget,
                    public QAccessibleTextInterface,
                    public QAccessibleEditableTextInterface {
public:
    explicit Field(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? edit()->text() : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Value)
            edit()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.selectableText = true;
        s.readOnly = edit()->isReadOnly();
        return s;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        return QAccessibleWidget::relations(match & ~QAccessible::Relation(QAccessible::Label));
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    QString text(int startOffset, int endOffset) const override
    {
        return startOffset > endOffset ? QString()
                                       : edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *startOffset = edit()->selectionStart();
            *endOffset = edit()->selectionEnd();
        }
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    // Where a character is drawn, on the screen: measured along the line
    // from where the cursor stands, the one place Qt's line edit tells.
    QRect characterRect(int offset) const override
    {
        const QString ch = text(offset, offset + 1);
        if (ch.isEmpty())
            return {};
        const QFontMetrics metrics(edit()->font());
        const QString all = edit()->text();
        const QRect cursor = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = cursor.left() + metrics.horizontalAdvance(all.left(offset)) -
                      metrics.horizontalAdvance(all.left(edit()->cursorPosition()));
        return {edit()->mapToGlobal(QPoint(x, cursor.top())),
                QSize(metrics.horizontalAdvance(ch), cursor.height())};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        edit()->setCursorPosition(endIndex);
        edit()->setCursorPosition(startIndex);
    }

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override
    {
        edit()->setText(edit()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override
    {
        edit()->setText(edit()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

// Qt takes a widget of a kind it does not know for a filler, which a screen
// reader passes over in silence; the window, the panel and the drawing area
// say what they are, and the window's activation is announced.
QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("MainWindow"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("DrawingArea"))
        return new QAccessibleWidget(widget, QAccessible::Animation);
    // The program's one plain frame is the panel.
    if (className == QLatin1String("QFrame"))
        return new QAccessibleWidget(widget, QAccessible::Pane);
    if (className == QLatin1String("QLineEdit"))
        return new Field(static_cast<QLineEdit*>(widget));
    return nullptr;
}

#ifdef THERMAL_ATSPI
// Qt 6.4 sends AT-SPI's name-change event with the object itself where the
// new name belongs. Orca speaks that value, so it says nothing (and logs an
// error), and a caption that changes under the focus, Start's to Stop, goes
// unheard. Here the event goes as AT-SPI defines it, over the connection
// Qt's bridge keeps to the accessibility bus and from the path it gives the
// object there.
bool sendNameChange(QAccessibleInterface* iface)
{
    QDBusConnection bus(QStringLiteral("a11y"));
    if (!iface || iface->role() == QAccessible::Application || !bus.isConnected())
        return false;
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") +
                         QString::number(QAccessible::uniqueId(iface));
    QDBusMessage event = QDBusMessage::createSignal(
        path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    event << QStringLiteral("accessible-name") << 0 << 0
          << QVariant::fromValue(QDBusVariant(iface->text(QAccessible::Name))) << QVariantMap();
    return bus.send(event);
}

void update(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::NameChanged && sendNameChange(event->accessibleInterface()))
        return;
    // Every other event the way Qt sends it.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(update);
}
#endif

} // namespace

void install()
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
#ifdef THERMAL_ATSPI
        QAccessible::installUpdateHandler(update);
#endif
        return true;
    }();
}

} // namespace accessible
