-- The Spanish question table of the demo installation: the Spanish rendering of the English table, row for row.
-- The items are invented sample data written for this demo, not a real or validated questionnaire, and must not be
-- used to assess anyone.
-- QuestionAudio and ChoiceAudio1..5 name the wave files (without ".wav") in the sound folder SPANISH; the answers
-- of sections 1 and 2 are the same for every item and share their sound files.
INSERT INTO About VALUES ('Spanish', 'Preguntas de muestra inventadas para la instalación de demostración; no es un cuestionario real ni validado.');

CREATE TABLE Spanish (
  ID INTEGER NOT NULL,
  TestQuestion TEXT NOT NULL,
  QuestionAudio TEXT,
  ANSWER1 TEXT NOT NULL, ANSWER2 TEXT NOT NULL, ANSWER3 TEXT, ANSWER4 TEXT, ANSWER5 TEXT,
  ChoiceAudio1 TEXT, ChoiceAudio2 TEXT, ChoiceAudio3 TEXT, ChoiceAudio4 TEXT, ChoiceAudio5 TEXT);

-- Section 1: true or false statements, items 1 to 86.
INSERT INTO Spanish VALUES (1, 'A veces he tomado cosas que no me pertenecían.', 'S001', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (2, 'Mi forma de beber ha causado problemas con mi familia.', 'S002', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (3, 'Nunca en mi vida he dicho una mentira.', 'S003', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (4, 'He usado drogas para ayudarme a relajarme.', 'S004', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (5, 'Pierdo la paciencia más fácilmente que la mayoría de la gente.', 'S005', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (6, 'Me han dicho que bebo demasiado.', 'S006', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (7, 'Siempre obedezco todas las leyes, aun las más pequeñas.', 'S007', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (8, 'He faltado al trabajo o a la escuela por usar drogas.', 'S008', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (9, 'Cuando me enojo, a veces rompo cosas.', 'S009', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (10, 'Por lo general bebo más de lo que pensaba beber.', 'S010', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (11, 'Nunca he dicho nada desagradable de otra persona.', 'S011', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (12, 'Me he sentido culpable por mi uso de drogas.', 'S012', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (13, 'La gente me ha tenido miedo cuando yo estaba enojado.', 'S013', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (14, 'He tomado una bebida alcohólica por la mañana para calmar los nervios.', 'S014', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (15, 'A veces he dejado para después cosas que debía hacer.', 'S015', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (16, 'He tratado de usar menos drogas y no lo he logrado.', 'S016', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (17, 'He golpeado a alguien durante una discusión.', 'S017', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (18, 'He manejado un carro después de beber alcohol.', 'S018', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (19, 'Me cae bien toda persona que he conocido.', 'S019', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (20, 'He comprado drogas a alguien que no conocía.', 'S020', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (21, 'Guardo rencor por mucho tiempo.', 'S021', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (22, 'He tenido lagunas mentales después de beber.', 'S022', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (23, 'Nunca he llegado tarde a una cita.', 'S023', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (24, 'Algunos de mis amigos usan drogas.', 'S024', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (25, 'He amenazado con hacerle daño a alguien.', 'S025', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (26, 'El alcohol me ayuda a olvidar mis problemas.', 'S026', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (27, 'A veces tengo ganas de decir malas palabras.', 'S027', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (28, 'He usado más de una droga al mismo tiempo.', 'S028', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (29, 'Las cosas pequeñas me enojan mucho.', 'S029', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (30, 'Me han arrestado por algo que hice mientras bebía.', 'S030', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (31, 'Siempre he sido completamente honesto con mis empleadores.', 'S031', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (32, 'He usado drogas en el trabajo o en la escuela.', 'S032', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (33, 'Le he tirado cosas a otra persona.', 'S033', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (34, 'Con frecuencia bebo solo.', 'S034', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (35, 'Me llevo bien con mi familia.', 'S035', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (36, 'He necesitado más cantidad de una droga para sentir el mismo efecto.', 'S036', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (37, 'Les he gritado a miembros de mi familia.', 'S037', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (38, 'He tratado de dejar de beber y no he podido.', 'S038', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (39, 'Diría la verdad aunque me metiera en problemas.', 'S039', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (40, 'Me he sentido enfermo al dejar de usar drogas.', 'S040', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (41, 'He causado daños a la propiedad cuando estaba enojado.', 'S041', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (42, 'Por beber he faltado al trabajo.', 'S042', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (43, 'Nunca he querido hacerle daño a nadie.', 'S043', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (44, 'He tomado medicamentos de receta que no me recetaron a mí.', 'S044', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (45, 'De adulto he estado en más de una pelea.', 'S045', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (46, 'A mi familia le preocupa mi forma de beber.', 'S046', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (47, 'A veces chismeo sobre otras personas.', 'S047', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (48, 'He recibido tratamiento por el uso de drogas.', 'S048', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (49, 'He empujado o agarrado a mi pareja durante una discusión.', 'S049', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (50, 'He recibido tratamiento por un problema con la bebida.', 'S050', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (51, 'Nunca he faltado a una promesa.', 'S051', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (52, 'He robado dinero o cosas para pagar drogas.', 'S052', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (53, 'Cuando estoy enojado digo cosas de las que me arrepiento.', 'S053', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (54, 'He tomado una bebida alcohólica en cuanto me he despertado.', 'S054', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (55, 'Casi siempre me siento bien conmigo mismo.', 'S055', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (56, 'Uso drogas para sentirme normal.', 'S056', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (57, 'Un tribunal me ha ordenado que me mantenga alejado de alguien.', 'S057', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (58, 'He mentido sobre cuánto bebo.', 'S058', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (59, 'A veces he sentido celos de otras personas.', 'S059', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (60, 'He vendido drogas.', 'S060', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (61, 'Me cuesta controlar mi enojo.', 'S061', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (62, 'He tenido problemas con la ley por causa del alcohol.', 'S062', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (63, 'Nunca me he aprovechado de nadie.', 'S063', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (64, 'He escondido de otros mi uso de drogas.', 'S064', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (65, 'Tengo discusiones con la gente del trabajo.', 'S065', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (66, 'He perdido el conocimiento por beber.', 'S066', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (67, 'Estoy preocupado por mi futuro.', 'S067', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (68, 'Me he inyectado drogas con una aguja.', 'S068', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (69, 'He sido violento con alguien a quien quiero.', 'S069', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (70, 'He sentido que debería beber menos.', 'S070', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (71, 'Siempre he pagado todas mis cuentas a tiempo.', 'S071', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (72, 'El uso de drogas ha dañado mi salud.', 'S072', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (73, 'Siento que los demás me tratan injustamente con frecuencia.', 'S073', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (74, 'He perdido un trabajo por beber.', 'S074', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (75, 'Me cuesta dormir por la noche.', 'S075', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (76, 'He manejado un carro bajo el efecto de drogas.', 'S076', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (77, 'Me calmo pronto después de alterarme.', 'S077', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (78, 'Me he avergonzado de cosas que hice mientras bebía.', 'S078', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (79, 'Nunca he tenido ningún tipo de problema.', 'S079', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (80, 'Puedo dejar de usar drogas cuando quiera.', 'S080', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (81, 'Me han arrestado por agresión.', 'S081', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (82, 'La mayoría de mis amigos bebe mucho.', 'S082', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (83, 'Me he sentido triste o sin esperanza durante semanas seguidas.', 'S083', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (84, 'Estoy contestando estas frases con sinceridad.', 'S084', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (85, 'Me gustaría recibir ayuda con mi uso de alcohol o drogas.', 'S085', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);
INSERT INTO Spanish VALUES (86, 'Me ha costado entender estas frases.', 'S086', 'Verdadero', 'Falso', NULL, NULL, NULL, 'STRUE', 'SFALSE', NULL, NULL, NULL);

-- Section 2: frequency ratings, items 87 to 110.
INSERT INTO Spanish VALUES (87, 'Me siento tenso o nervioso.', 'S087', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (88, 'Me cuesta relajarme.', 'S088', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (89, 'Me preocupa el dinero.', 'S089', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (90, 'Siento que la gente está en mi contra.', 'S090', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (91, 'Me siento cansado durante el día.', 'S091', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (92, 'Me cuesta llevarme bien con la gente.', 'S092', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (93, 'Me siento inquieto.', 'S093', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (94, 'Me siento agobiado por mis problemas.', 'S094', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (95, 'Me siento enojado sin una razón clara.', 'S095', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (96, 'Me dan dolores de cabeza o de estómago cuando estoy bajo presión.', 'S096', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (97, 'Me siento solo.', 'S097', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (98, 'Me cuesta tomar decisiones.', 'S098', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (99, 'Pienso en beber o en usar drogas.', 'S099', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (100, 'Me siento presionado por la gente que me rodea.', 'S100', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (101, 'Me cuesta mantener un trabajo.', 'S101', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (102, 'Siento que mi vida está fuera de control.', 'S102', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (103, 'Discuto con las personas con quienes vivo.', 'S103', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (104, 'Me siento decaído o desanimado.', 'S104', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (105, 'No puedo dejar de pensar en mis problemas.', 'S105', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (106, 'Siento que no tengo con quién hablar.', 'S106', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (107, 'Pierdo la paciencia con otras personas.', 'S107', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (108, 'Me siento satisfecho con mi vida.', 'S108', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (109, 'Me cuesta cumplir con mis responsabilidades.', 'S109', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);
INSERT INTO Spanish VALUES (110, 'Manejo bien el estrés.', 'S110', 'Rara vez o nunca', 'A veces', 'A menudo', 'Muy a menudo o siempre', NULL, 'SRARE', 'SSOMETIMES', 'SOFTEN', 'SVERYOFTEN', NULL);

-- Section 3: multiple choice, each item with its own four answers, items 111 to 123.
INSERT INTO Spanish VALUES (111, '¿Qué edad tenía usted la primera vez que bebió alcohol?', 'S111', 'Menos de 13 años', 'De 13 a 15 años', 'De 16 a 20 años', '21 años o más, o nunca he bebido', NULL, 'S111A1', 'S111A2', 'S111A3', 'S111A4', NULL);
INSERT INTO Spanish VALUES (112, 'Un día en que usted bebe, ¿cuántas bebidas toma por lo general?', 'S112', 'No bebo', '1 o 2', 'De 3 a 5', '6 o más', NULL, 'S112A1', 'S112A2', 'S112A3', 'S112A4', NULL);
INSERT INTO Spanish VALUES (113, '¿Con qué frecuencia usa drogas de una forma que un médico no le recetó?', 'S113', 'Nunca', 'Menos de una vez al mes', 'Cada semana', 'Todos los días', NULL, 'S113A1', 'S113A2', 'S113A3', 'S113A4', NULL);
INSERT INTO Spanish VALUES (114, '¿Cuántas veces lo han arrestado en su vida?', 'S114', 'Nunca', 'Una vez', 'De 2 a 4 veces', '5 veces o más', NULL, 'S114A1', 'S114A2', 'S114A3', 'S114A4', NULL);
INSERT INTO Spanish VALUES (115, 'Cuando está enojado, ¿qué hace por lo general?', 'S115', 'Hablo del problema', 'Me alejo', 'Grito o digo malas palabras', 'Golpeo o rompo algo', NULL, 'S115A1', 'S115A2', 'S115A3', 'S115A4', NULL);
INSERT INTO Spanish VALUES (116, '¿Con quién vive usted ahora?', 'S116', 'Solo', 'Con mi esposo, esposa o pareja', 'Con mis padres o parientes', 'Con amigos u otras personas', NULL, 'S116A1', 'S116A2', 'S116A3', 'S116A4', NULL);
INSERT INTO Spanish VALUES (117, '¿Cómo describiría usted su salud?', 'S117', 'Excelente', 'Buena', 'Regular', 'Mala', NULL, 'S117A1', 'S117A2', 'S117A3', 'S117A4', NULL);
INSERT INTO Spanish VALUES (118, '¿Qué describe mejor su trabajo durante el último año?', 'S118', 'Trabajé tiempo completo', 'Trabajé medio tiempo', 'Trabajé de vez en cuando', 'No trabajé', NULL, 'S118A1', 'S118A2', 'S118A3', 'S118A4', NULL);
INSERT INTO Spanish VALUES (119, '¿Cuánto tiempo hace que tomó su última bebida alcohólica?', 'S119', 'Más de un año, o nunca', 'De 1 a 12 meses', 'De 1 a 4 semanas', 'Menos de una semana', NULL, 'S119A1', 'S119A2', 'S119A3', 'S119A4', NULL);
INSERT INTO Spanish VALUES (120, '¿Cuánto tiempo hace que usó drogas por última vez?', 'S120', 'Más de un año, o nunca', 'De 1 a 12 meses', 'De 1 a 4 semanas', 'Menos de una semana', NULL, 'S120A1', 'S120A2', 'S120A3', 'S120A4', NULL);
INSERT INTO Spanish VALUES (121, '¿Qué droga ha usado más, si ha usado alguna?', 'S121', 'Ninguna', 'Marihuana', 'Cocaína o crack', 'Otras drogas', NULL, 'S121A1', 'S121A2', 'S121A3', 'S121A4', NULL);
INSERT INTO Spanish VALUES (122, '¿Cuántos de sus amigos han tenido problemas con la ley?', 'S122', 'Ninguno', 'Unos pocos', 'Más o menos la mitad', 'La mayoría', NULL, 'S122A1', 'S122A2', 'S122A3', 'S122A4', NULL);
INSERT INTO Spanish VALUES (123, '¿Qué piensa usted de recibir ayuda para sus problemas?', 'S123', 'No necesito ayuda', 'Tal vez aceptaría ayuda', 'Quiero ayuda', 'Ya estoy recibiendo ayuda', NULL, 'S123A1', 'S123A2', 'S123A3', 'S123A4', NULL);
