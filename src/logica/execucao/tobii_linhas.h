// The eye tracker's line protocol, free of sockets and widgets: the line reader over a
// 4096-byte receive buffer, what each line means, and the smoothing of gaze points.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <functional>
#include <optional>

// Where the reader's bytes come from (the link's socket, or a test's packets).
struct FonteDeBytes {
    // Waits at most `ms` for bytes; true when some are there or the connection has ended
    // (recebe then tells which).
    std::function<bool(int ms)> prontaEm;
    // Up to `max` bytes into `destino`; 0 or less when the connection has ended.
    std::function<qint64(char* destino, qint64 max)> recebe;
    // The idle step between two polls; false when the link is being ended.
    std::function<bool(int ms)> espera;
};

class LeitorDeLinhas {
public:
    static constexpr int tamanhoBuffer = 4096;
    static constexpr int esperaPronta = 20; // ms the socket is given to become readable
    static constexpr int passoOcioso = 100; // ms slept when it did not

    explicit LeitorDeLinhas(FonteDeBytes fonte);

    // The next line, without its line feed and without a carriage return at its end. Fails
    // when the connection ends (giving the bytes read so far, if any), when the link is
    // ended, or, with a limite not 0, after more than limite × 10 idle steps. A line longer
    // than the buffer is dropped whole, up to its line feed.
    std::optional<QByteArray> leLinha(int limite);

private:
    // The next byte, refilling the buffer when it is used up; nothing when the read fails.
    enum class Proximo { byte, ocioso, falha };
    Proximo proximoByte(char& c);

    FonteDeBytes fonte;
    char buffer[tamanhoBuffer];
    int posicao = 0;
    int preenchido = 0;
};

// What one line asks for; only its first two characters count.
struct ComandoDoOlhar {
    enum Tipo { nada, bipe, doisBipes, clique, ponto, pontoInvalido } tipo = nada;
    QPoint onde; // for "GP": the reported point, in screen pixels
};
ComandoDoOlhar interpretaLinha(const QByteArray& linha);

// The pointer creeps toward where the eyes rest: each gaze point moves it a twentieth of the
// way (truncated toward zero), so small jitter leaves it still.
struct SuavizacaoDoOlhar {
    static constexpr int divisor = 20;
    QPoint pontoOlhar;    // where the pointer was last put
    QPoint pontoAnterior; // the base of the next step
    // Takes one gaze point; gives the new pointer position.
    QPoint passo(QPoint alvo);
};
