// The floor for start-up: a bare SDL2 window of the program's size, presented the way
// the program presents (software framebuffer through the window surface), one fill and
// one present, then idle until it is closed. Prints the same first-frame line as the
// program when POINTRIX_REPORT_FRAME is set.

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int, char**) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bare window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window =
      SDL_CreateWindow("Bare window", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 632, 453, SDL_WINDOW_HIDDEN);
  if (!window) {
    std::fprintf(stderr, "bare window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_ShowWindow(window);
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (!surface) return 1;
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xC0, 0xC0, 0xC0));
  SDL_UpdateWindowSurface(window);
  if (std::getenv("POINTRIX_REPORT_FRAME")) {
    std::fputs("pointrix: first frame\n", stdout);
    std::fflush(stdout);
  }
  SDL_Event event;
  while (SDL_WaitEvent(&event)) {
    if (event.type == SDL_QUIT || (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) break;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) break;
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
