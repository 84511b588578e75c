// Standard input from the page's console. The program reads through the C
// library as on the desktop; reading fd 0 ends in fd_read, which here takes
// the bytes of the lines typed into the page and, when there are none yet,
// suspends the program (Asyncify) until a line is entered, so that the page
// stays live while the dialog waits.
mergeInto(LibraryManager.library, {
  fd_read__deps: ['$SYSCALLS'],
  fd_read__sig: 'iiiii',
  fd_read: function(fd, iov, iovcnt, pnum) {
    if (fd !== 0) {
      var stream = SYSCALLS.getStreamFromFD(fd);
      var num = SYSCALLS.doReadv(stream, iov, iovcnt);
      HEAP32[pnum >> 2] = num;
      return 0;
    }
    var consoleInput = Module['vibsimConsole'];
    // Copies what the typed lines hold, as much as the buffers take.
    function deliver() {
      var total = 0;
      for (var i = 0; i < iovcnt; i++) {
        var ptr = HEAP32[(iov + i * 8) >> 2];
        var len = HEAP32[(iov + i * 8 + 4) >> 2];
        var bytes = consoleInput.take(len);
        HEAPU8.set(bytes, ptr);
        total += bytes.length;
        if (bytes.length < len) break;
      }
      HEAP32[pnum >> 2] = total;
      return 0;
    }
    // Asyncify calls this again when it resumes the program: the bytes were
    // delivered before it woke, and only the result is to be given back.
    if (Asyncify.state === Asyncify.State.Normal && consoleInput.available() > 0) return deliver();
    return Asyncify.handleSleep(function(wakeUp) {
      consoleInput.waitForLine(function() { wakeUp(deliver()); });
    });
  },
});
