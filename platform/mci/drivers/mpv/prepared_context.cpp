#include "platform/mci/drivers/mpv/prepared_context.h"

#include "platform/mci/drivers/mpv/video_surface_format.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QThread>

namespace platform::mci {
namespace {

PreparedContext* current = nullptr;

// A triangle from the vertex number alone, so no buffers are needed.
constexpr const char* vertexShader = R"(#version 130
void main() {
    gl_Position = vec4(float(gl_VertexID % 2), float(gl_VertexID / 2), 0.0, 1.0);
})";
constexpr const char* fragmentShader = R"(#version 130
out vec4 colour;
void main() {
    colour = vec4(1.0);
})";

GLuint compile(QOpenGLFunctions& gl, GLenum type, const char* source) {
    const GLuint shader = gl.glCreateShader(type);
    gl.glShaderSource(shader, 1, &source, nullptr);
    gl.glCompileShader(shader);
    return shader;
}

// Draws one triangle and waits for it: the driver builds its drawing code
// on the first draw of a process. Anything the context cannot do is simply
// not warmed up.
void drawOnce(QOpenGLContext& context, QOffscreenSurface& surface) {
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return;
    QOpenGLFunctions& gl = *context.functions();
    const GLuint vertex = compile(gl, GL_VERTEX_SHADER, vertexShader);
    const GLuint fragment = compile(gl, GL_FRAGMENT_SHADER, fragmentShader);
    const GLuint program = gl.glCreateProgram();
    gl.glAttachShader(program, vertex);
    gl.glAttachShader(program, fragment);
    gl.glLinkProgram(program);
    gl.glUseProgram(program);
    gl.glDrawArrays(GL_TRIANGLES, 0, 3);
    GLubyte pixel[4];
    gl.glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    gl.glUseProgram(0);
    gl.glDeleteProgram(program);
    gl.glDeleteShader(vertex);
    gl.glDeleteShader(fragment);
    context.doneCurrent();
}

} // namespace

PreparedContext::PreparedContext() {
    current = this;
    if (!QOpenGLContext::supportsThreadedOpenGL())
        return;
    // Qt lets an offscreen surface be made and destroyed on the GUI thread
    // only (on X11 it may be a window); the worker merely draws on it.
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(VideoSurfaceFormat());
    surface_->create();
    QThread* guiThread = QThread::currentThread();
    worker_ = std::thread([this, guiThread] {
        auto context = std::make_unique<QOpenGLContext>();
        context->setFormat(VideoSurfaceFormat());
        if (!context->create())
            return;
        drawOnce(*context, *surface_);
        context->moveToThread(guiThread);
        context_ = std::move(context);
    });
}

PreparedContext::~PreparedContext() {
    takeContext();
    surface_.reset(); // after the worker, which draws on it
    current = nullptr;
}

std::unique_ptr<QOpenGLContext> PreparedContext::Take() {
    return current ? current->takeContext() : nullptr;
}

std::unique_ptr<QOpenGLContext> PreparedContext::takeContext() {
    if (worker_.joinable())
        worker_.join();
    return std::move(context_);
}

} // namespace platform::mci
