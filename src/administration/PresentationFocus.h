#pragma once
// What a control of the presentation gaining the focus should do. While the window changes the item, focus moving
// off controls being hidden does nothing; the question box sent the focus to speak the item speaks even when the
// focus arrives only with the window's activation, and the window merely coming back to the front speaks nothing.

class PresentationFocus {
public:
    enum class Response { Ignore, Show, ShowAndSpeak };

    // The window changes the item between these two; nested changes count.
    void beginChange() { ++m_changing; }
    void endChange() { --m_changing; }
    bool changing() const { return m_changing > 0; }

    // The question box was sent the focus so that the item is spoken.
    void questionSent() { m_speakPending = true; }

    // The question box gained the focus; `activation` when only because the window became the active one.
    Response questionGained(bool activation)
    {
        if (changing())
            return Response::Ignore;
        const bool speak = m_speakPending || !activation;
        m_speakPending = false;
        return speak ? Response::ShowAndSpeak : Response::Show;
    }

    // An answer button or text gained the focus.
    Response answerGained(bool activation) const
    {
        if (changing())
            return Response::Ignore;
        return activation ? Response::Show : Response::ShowAndSpeak;
    }

private:
    int m_changing = 0;
    bool m_speakPending = false;
};
