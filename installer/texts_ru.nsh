; Russian texts of the installer beyond the standard Modern UI ones.
LangString VxNeeds64Bit ${LANG_RUSSIAN} "Vantorix работает только в 64-битной Windows 10 или 11."
LangString VxFilesInUse ${LANG_RUSSIAN} "Не удалось удалить файлы — закройте Vantorix и запустите удаление ещё раз:$\r$\n"
