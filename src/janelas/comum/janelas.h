// The program's windows: each created once at start-up, in a fixed order (the start window and
// what it shows first, the others right after it is on screen), and kept until the program ends.
// Windows reach one another through these pointers; one that has not been built into the program
// yet stays null.
#pragma once

class TformSelInic;
class TAboutBox;
class TFormProg;
class TformConfigPrancha;
class TformConfigItem;
class TFormConfigExec;
class TformSelFigura;
class TformVisualiza;
class TFormGravador;
class TFormSelExecuta;
class TFormSelImprime;
class TFormImprime;
class TformDicasExec;
class TFormExecuta;
class TFormAutoria;
class TFormRascunho;
class TformConfigRascunho;
class TformQuickMsg;

struct Janelas {
    TformSelInic* formSelInic = nullptr;
    TAboutBox* aboutBox = nullptr;
    TFormProg* formProg = nullptr;
    TformConfigPrancha* formConfigPrancha = nullptr;
    TformConfigItem* formConfigItem = nullptr;
    TFormConfigExec* formConfigExec = nullptr;
    TformSelFigura* formSelFigura = nullptr;
    TformVisualiza* formVisualiza = nullptr;
    TFormGravador* formGravador = nullptr;
    TFormSelExecuta* formSelExecuta = nullptr;
    TFormSelImprime* formSelImprime = nullptr;
    TFormImprime* formImprime = nullptr;
    TformDicasExec* formDicasExec = nullptr;
    TFormExecuta* formExecuta = nullptr;
    TFormAutoria* formAutoria = nullptr;
    TFormRascunho* formRascunho = nullptr;
    TformConfigRascunho* formConfigRascunho = nullptr;
    TformQuickMsg* formQuickMsg = nullptr;
};

extern Janelas janelas;
