#pragma once
// A panel over a scripted socket and temporary folders, and a recorder of what it showed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "download/XiaZaiQi.h"
#include "download/tests/FakeTcpClient.h"
#include "platform/testing/TestPlatform.h"

namespace velmora::download::testing {

class RecordingObserver : public XiaZaiQiObserver {
public:
    explicit RecordingObserver(const XiaZaiQi& panel) : panel_(panel) {}
    void LogCleared() override { lines.clear(); }
    void LineAdded(const std::string& line) override { lines.push_back(line); }
    void Changed(Control control) override {
        if (control == Control::Status) statuses.push_back(panel_.controls().status);
        if (control == Control::Speed) speeds.push_back(panel_.controls().speed);
    }

    std::vector<std::string> lines;
    std::vector<std::string> statuses;
    std::vector<std::string> speeds;

private:
    const XiaZaiQi& panel_;
};

// A panel over the given socket, with its changes and hand-overs recorded.
template <typename Socket>
class PanelHarness : public ::testing::Test {
protected:
    PanelHarness() {
        panel.SetObserver(&seen);
        panel.SetInstallStep([this](const std::string& file) { installed.push_back(file); });
    }

    std::string Dest() const { return tp.ProgramPath("\\pic.jpg"); }
    std::string ReadDest() const { return *tp.files.ReadAll(Dest()); }
    bool PartFileExists() const { return tp.files.Stat(Dest() + ".part").has_value(); }
    const std::vector<std::string>& Log() const { return panel.controls().log; }
    // Sets the texts as the job does and starts.
    void Start(const std::string& source) {
        panel.SetSource(source);
        panel.SetDest(Dest());
        panel.SetRateTimer(true);
        panel.XiaZai();
    }

    mutable velmora::testing::TestPlatform tp;
    Socket socket;
    XiaZaiQi panel{socket, tp.files, tp.codePage, tp.environment.programDirectory};
    RecordingObserver seen{panel};
    std::vector<std::string> installed;
};

class PanelTest : public PanelHarness<FakeTcpClient> {
protected:
    bool Logged(const std::string& line) const {
        for (const auto& l : Log()) {
            if (l == line) return true;
        }
        return false;
    }
    // Starts a download of the given address into Dest() and lets it connect.
    void StartConnected(const std::string& source = "http://example.test/pic.jpg") {
        Start(source);
        panel.Connected();
    }
    void Deliver(const std::string& bytes) { panel.DataArrived(bytes.data(), bytes.size()); }
};

}  // namespace velmora::download::testing
