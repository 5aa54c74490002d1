#include "plataforma/unidades.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// /dev/sdb1 -> the "removable" flag of sdb in sysfs.
bool dispositivoRemovivel(const QString& dispositivo) {
    const QString real = QFileInfo(dispositivo).canonicalFilePath();
    QString nome = QFileInfo(real.isEmpty() ? dispositivo : real).fileName();
    if (nome.isEmpty()) return false;
    for (QString candidato = nome; !candidato.isEmpty(); candidato.chop(1)) {
        QFile f("/sys/block/" + candidato + "/removable");
        if (f.open(QIODevice::ReadOnly)) return f.readAll().trimmed() == "1";
    }
    return false;
}

bool montadaComoRemovivel(const QString& raiz) {
    return raiz.startsWith("/media/") || raiz.startsWith("/run/media/");
}

} // namespace

QString textoDaUnidade(const QString& nomeCurto, const QString& rotulo) {
    QString t = "Drive " + nomeCurto;
    if (!rotulo.isEmpty()) t += " [" + rotulo.left(30) + "]";
    return t;
}

QList<Unidade> unidadesRemoviveis() {
    QList<Unidade> lista;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady()) continue;
        const QString dispositivo = QString::fromLocal8Bit(v.device());
        if (!dispositivo.startsWith("/dev/")) continue;
        if (!dispositivoRemovivel(dispositivo) && !montadaComoRemovivel(v.rootPath())) continue;
        const QString curto = QFileInfo(v.rootPath()).fileName().isEmpty()
                                  ? QFileInfo(dispositivo).fileName()
                                  : QFileInfo(v.rootPath()).fileName();
        const QString rotulo = v.name() == curto ? QString() : v.name();
        lista.append({textoDaUnidade(curto, rotulo), v.rootPath()});
    }
    return lista;
}
