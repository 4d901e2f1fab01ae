#pragma once
// A group box drawn as the window definition wants it: an etched frame whose
// top line runs through the middle of the caption, the caption at the left or
// the right of that line on the face colour, in the palette's window-text
// colour. Children are placed from its outer corner.

#include <QWidget>

class GroupFrame : public QWidget {
public:
    GroupFrame(const QString& title, Qt::Alignment alignment, QWidget* parent);

    QString title() const { return m_title; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};
