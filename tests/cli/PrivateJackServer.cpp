#include "PrivateJackServer.h"

#include <jack/jack.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

bool CPrivateJackServer::Installed() { return access("/usr/bin/jackd", X_OK) == 0 || access("/usr/local/bin/jackd", X_OK) == 0; }

CPrivateJackServer::CPrivateJackServer()
{
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
    // JACK's registry has eight server slots and frees a dead server's slot only when a server
    // of the same name starts. A killed test leaves its slot behind, so names come from a small
    // pool: a live server keeps its name (jackd refuses and exits), a dead one's is taken over.
    for (int n = 0; n < 6 && !m_bReady; ++n) {
        m_Name = "bwtest-jack-" + std::to_string(n);
        m_nPid = fork();
        if (m_nPid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execlp("jackd", "jackd", "-n", m_Name.c_str(), "-d", "dummy", "-r", "48000", "-p", "256", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && m_nPid > 0 && !m_bReady; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (waitpid(m_nPid, nullptr, WNOHANG) == m_nPid) {
                m_nPid = -1;  // the name is in use: try the next
                break;
            }
            if (jack_client_t* p = jack_client_open("bwcli-probe", jack_options_t(JackNoStartServer | JackServerName), nullptr, m_Name.c_str())) {
                jack_client_close(p);
                m_bReady = true;
            }
        }
        if (!m_bReady && m_nPid > 0) {  // neither up nor refused in 5 s
            kill(m_nPid, SIGKILL);
            waitpid(m_nPid, nullptr, 0);
            m_nPid = -1;
        }
    }
}

CPrivateJackServer::~CPrivateJackServer()
{
    if (m_nPid <= 0)
        return;
    kill(m_nPid, SIGTERM);
    for (int i = 0; i < 100; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (waitpid(m_nPid, nullptr, WNOHANG) == m_nPid)
            return;
    kill(m_nPid, SIGKILL);
    waitpid(m_nPid, nullptr, 0);
}
