// Whether a window gains or loses the focus to a modal dialog opened over it. Such a dialog
// (a name box, a question, a message) is a moment inside the window's own work, not a visit
// to another window, so the window keeps its drawing and its selection across it.
#pragma once

#include <QObject>

class QWidget;

class OrigemDaAtivacao : public QObject {
public:
    explicit OrigemDaAtivacao(QWidget* janela);
    // Read at activation: the window that had the focus before was a modal dialog.
    bool vemDeDialogoModal() const { return vemDeModal; }

private:
    bool vemDeModal = false;
};

// Read at deactivation: a modal dialog other than the window itself is taking the focus.
bool dialogoModalPorCima(const QWidget* janela);
