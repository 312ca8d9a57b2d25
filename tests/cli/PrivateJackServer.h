#pragma once
// A JACK server of the test's own: `jackd -n bwtest-jack-N -d dummy -r 48000 -p 256`, the
// first name of a small pool that no live server holds; killed with the test (and with the
// test process, should it die first).

#include <string>
#include <sys/types.h>

class CPrivateJackServer {
public:
    CPrivateJackServer();  // waits until a client can join (Ready() tells)
    ~CPrivateJackServer();
    CPrivateJackServer(const CPrivateJackServer&) = delete;
    CPrivateJackServer& operator=(const CPrivateJackServer&) = delete;

    static bool Installed();
    bool Ready() const { return m_bReady; }
    const std::string& Name() const { return m_Name; }

private:
    std::string m_Name;
    pid_t m_nPid = -1;
    bool m_bReady = false;
};
