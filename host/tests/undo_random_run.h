#pragma once
// Long random runs of commands, undos and redos (fixed seeds), for the
// host's undo tests and the plug-in's: after every step the state (the
// scene dump, and whatever else the caller keeps outside the scene) must be
// what the undo queue promises. A refused command leaves it as it was, a
// command that leaves nothing to undo changes nothing, an undo gives back
// the state before the undone command, a redo the state after it.
// Failures name the seed, the step and the commands up to it, so a run can
// be repeated by hand.

#include <gtest/gtest.h>

#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace host::testing {

class RandomUndoRun {
public:
    struct Step {
        std::string command;
        std::string state;                   // after the step
        std::vector<std::string> surviving;  // commands in effect after it
    };

    // Starts from an empty queue, so every entry in it is the run's.
    RandomUndoRun(unsigned seed, std::function<std::string()> state)
        : m_seed(seed), m_random(seed), m_state(std::move(state)) {
        undo::Queue::instance().setInfinity(true);
        undo::Queue::instance().flush();
    }

    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

    // One step: an undo or a redo a third of the time when there is one to
    // make, else the command next() gives.
    void step(const std::function<std::string()>& next) {
        const size_t choice = pick(6);
        if (choice == 0 && !m_done.empty()) {
            m_commands.push_back("undo");
            EXPECT_TRUE(mel::Interpreter::instance().execute("undo")) << trace();
            m_undone.push_back(std::move(m_done.back()));
            m_done.pop_back();
            expectState(m_undone.back().before, "undo of " + m_undone.back().command);
        } else if (choice == 1 && !m_undone.empty()) {
            m_commands.push_back("redo");
            EXPECT_TRUE(mel::Interpreter::instance().execute("redo")) << trace();
            m_done.push_back(std::move(m_undone.back()));
            m_undone.pop_back();
            expectState(m_done.back().after, "redo of " + m_done.back().command);
        } else {
            m_commands.push_back(next());
            const std::string& command = m_commands.back();
            std::string before = m_state();
            const bool ran = mel::Interpreter::instance().execute(command);
            const undo::Queue& queue = undo::Queue::instance();
            if (ran && !queue.canRedo() && queue.names().size() == m_done.size() + 1) {
                m_done.push_back({command, std::move(before), m_state()});
                m_undone.clear();
            } else {
                // Refused, or left nothing to undo: then it changed nothing.
                expectState(before,
                            ran ? "a change that left nothing to undo" : "a refused command");
            }
        }
        Step step;
        step.command = m_commands.back();
        step.state = m_state();
        for (const Done& done : m_done)
            step.surviving.push_back(done.command);
        m_steps.push_back(std::move(step));
    }

    const std::vector<Step>& steps() const { return m_steps; }

    // Where the run is, for failure messages: the seed, the step and the
    // commands up to it.
    std::string trace() const {
        std::ostringstream text;
        text << "seed " << m_seed << ", step " << m_commands.size() - 1 << " (" << m_commands.back()
             << "); the commands:\n";
        for (size_t i = 0; i < m_commands.size(); ++i)
            text << "  " << i << ": " << m_commands[i] << "\n";
        return text.str();
    }

private:
    struct Done {
        std::string command;
        std::string before, after;
    };

    void expectState(const std::string& expected, const std::string& what) {
        EXPECT_EQ(m_state(), expected) << what << " at " << trace();
    }

    unsigned m_seed;
    std::mt19937 m_random;
    std::function<std::string()> m_state;
    std::vector<Done> m_done, m_undone;
    std::vector<Step> m_steps;
    std::vector<std::string> m_commands;  // the run's, up to the current step
};

}  // namespace host::testing
