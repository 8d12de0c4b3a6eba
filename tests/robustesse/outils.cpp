#include "outils.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace tavo::test {

FinEnfant dans_un_enfant(const std::function<std::string()>& etape) {
    int tube[2];
    if (::pipe(tube) != 0) throw std::runtime_error("pipe");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        ::close(tube[0]);
        const std::string sortie = etape();
        std::size_t fait = 0;
        while (fait < sortie.size()) {
            const ssize_t n = ::write(tube[1], sortie.data() + fait, sortie.size() - fait);
            if (n <= 0) break;
            fait += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(tube[1]);
    FinEnfant fin;
    char tampon[512];
    ssize_t n;
    while ((n = ::read(tube[0], tampon, sizeof tampon)) > 0) fin.sortie.append(tampon, n);
    ::close(tube[0]);
    int etat = 0;
    ::waitpid(pid, &etat, 0);
    fin.tue = WIFSIGNALED(etat);
    fin.signal = fin.tue ? WTERMSIG(etat) : 0;
    fin.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    return fin;
}

}  // namespace tavo::test
