// The execution settings' rules, free of widgets: how incoherent times are brought into line.
#pragma once

struct TProjeto;

// The four rules, in order, on the stored times; true when any of them changed a value:
// 1. scanning below 500 ms (but not 0) becomes 2000;
// 2. a click filter below 200 ms (but not 0) becomes 1000;
// 3. a help time (not 0) that is not above scanning + 500 becomes scanning + 1000;
// 4. scanning and automatic click exclude each other: with scanning on, the latter becomes 0.
bool tornaTemposCoerentes(TProjeto& p);
