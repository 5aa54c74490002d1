// Starts a program and prints the milliseconds until a top-level window of the given name is
// mapped on the X server, then ends the program. The map is taken from the server's own
// notification, so nothing polls the display while the program starts.
//   espera_janela NOME PROGRAMA [ARGUMENTOS...]
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double agoraMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

std::string nomeDaJanela(xcb_connection_t* x, xcb_window_t janela) {
    const xcb_get_property_cookie_t pedido =
        xcb_get_property(x, 0, janela, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> resposta(
        xcb_get_property_reply(x, pedido, nullptr), &std::free);
    if (!resposta) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(resposta.get())),
                       size_t(xcb_get_property_value_length(resposta.get())));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: espera_janela NOME PROGRAMA [ARGUMENTOS...]\n");
        return 2;
    }
    const std::string procurado = argv[1];
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "sem servidor X\n");
        return 2;
    }
    const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mascara = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, raiz, XCB_CW_EVENT_MASK, &mascara);
    xcb_flush(x);

    const double inicio = agoraMs();
    const pid_t filho = fork();
    if (filho == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int resultado = -1;
    while (resultado < 0) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> evento(e, &std::free);
            if ((e->response_type & 0x7F) != XCB_MAP_NOTIFY) continue;
            const auto* mapa = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (resultado < 0 && nomeDaJanela(x, mapa->window) == procurado) {
                std::printf("%.1f\n", agoraMs() - inicio);
                resultado = 0;
            }
        }
        if (resultado >= 0) break;
        // A program that ends without its window must not leave the benchmark waiting.
        if (waitpid(filho, nullptr, WNOHANG) == filho) {
            std::fprintf(stderr, "%s terminou sem mostrar \"%s\"\n", argv[2], procurado.c_str());
            xcb_disconnect(x);
            return 1;
        }
        pollfd espera{xcb_get_file_descriptor(x), POLLIN, 0};
        poll(&espera, 1, 100);
    }
    kill(filho, SIGTERM);
    waitpid(filho, nullptr, 0);
    xcb_disconnect(x);
    return resultado;
}
