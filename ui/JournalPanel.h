#pragma once

#include <QWidget>

class QLabel;
class THotelJournal;

// The latest morning report, in the left panel between "Main menu" and the
// building tools. Shows as many of its lines as fit; J opens the whole journal.
class TJournalPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TJournalPanel(QWidget *parent = nullptr);

    // The journal to show (null for none); the panel reads it on Refresh.
    void SetJournal(const THotelJournal *journal);
    void Refresh();
    // The text the panel shows.
    QString Text() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    const THotelJournal *journal_ = nullptr;
    QLabel *body_;
};
