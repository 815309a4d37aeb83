// The top-level widget of a dialog: routes keys, close, paint and the context menu to its CDialog.
#pragma once

#include <QDialog>

class CDialog;

class DialogWidget : public QDialog
{
    Q_OBJECT

public:
    DialogWidget(CDialog& owner, QWidget* parent, Qt::WindowFlags flags);

    // Ends a modal run (QDialog::done), without routing back to the CDialog.
    void Finish(int result) { QDialog::done(result); }

    void reject() override;
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CDialog& m_owner;
};
