#pragma once
// A one-line caption drawn without any background, so what lies beneath
// shows through, and raised: a white copy one pixel right and down, then the
// text in the palette's window-text colour. Setting the text repaints it
// together with what lies beneath, leaving no trace of the old text.

#include <QWidget>

class TransparentLabel : public QWidget {
public:
    explicit TransparentLabel(QWidget* parent);

    QString text() const { return m_text; }
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
