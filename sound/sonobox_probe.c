/* sonobox-probe: tries to open the default audio output on one SDL audio
 * driver, so that a driver that blocks for ever blocks this process and not
 * the program that asked. The library starts it, reads its answer and kills
 * it when it takes too long.
 *
 * Usage: sonobox-probe PARENT-PID DRIVER
 *   DRIVER is one of SDL's driver names; empty, SDL's own choice.
 * Writes one line to standard output: the name of the driver that opened a
 * device, or "-" when none did. It ends at once after that, without closing
 * the device (closing waits for SDL's audio thread to wake up) and without
 * shutting SDL down: leaving the process gives everything back. */
#include <SDL.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <unistd.h>

static int OpensADevice(const char *driver) {
    if (SDL_AudioInit(driver[0] != '\0' ? driver : NULL) != 0) return 0;
    SDL_AudioSpec wanted;
    SDL_AudioSpec obtained;
    SDL_zero(wanted);
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    return SDL_OpenAudioDevice(NULL, 0, &wanted, &obtained,
                               SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0;
}

int main(int argc, char **argv) {
    if (argc != 3) {
        fputs("usage: sonobox-probe PARENT-PID DRIVER\n", stderr);
        return 2;
    }
    /* Nobody waits for an answer once the asking program has gone. */
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != (pid_t)atol(argv[1])) _exit(1);
    const char *opened = OpensADevice(argv[2]) ? SDL_GetCurrentAudioDriver() : NULL;
    printf("%s\n", opened != NULL ? opened : "-");
    fflush(stdout);
    _exit(0);
}
