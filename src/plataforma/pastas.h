// Where the program's own files and the user's folders are.
#pragma once

#include <QString>

// The folder "beside the program": the executable's folder in a build tree, share/zelvana when
// installed. Holds ARASAAC_mini, _figvazia.jpg and the help. Never the current folder.
QString pastaDoPrograma();

// The user's documents and desktop folders; the home folder when they cannot be found.
QString pastaDocumentos();
QString pastaAreaDeTrabalho();
// The desktop folder made if a fresh account has none yet (the home folder if it cannot be).
QString areaDeTrabalhoParaGravar();
