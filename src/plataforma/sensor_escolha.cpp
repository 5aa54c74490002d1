#include "plataforma/sensor_escolha.h"

#include "nucleo/avisos.h"
#include "plataforma/config_computador.h"

namespace {
const QString nome = QStringLiteral("sensor.ini");
const QString secao = QStringLiteral("SENSOR");
} // namespace

QString arquivoSensorDeOlhos() {
    return arquivoDoComputador(nome);
}

bool sensorDeOlhosGuardado() {
    const ArquivoIni ini = leArquivoDoComputador(nome);
    return ini.valor(secao, QStringLiteral("ACIONA"))
               .trimmed()
               .compare(u"SIM", Qt::CaseInsensitive) == 0;
}

bool guardaSensorDeOlhos(bool aciona) {
    if (gravaArquivoDoComputador(nome, aciona ? "[SENSOR]\r\nACIONA=SIM\r\n"
                                              : "[SENSOR]\r\nACIONA=NAO\r\n"))
        return true;
    avisoErro(QStringLiteral("Não foi possível guardar a escolha do sensor de olhos em ") +
              arquivoSensorDeOlhos());
    return false;
}
